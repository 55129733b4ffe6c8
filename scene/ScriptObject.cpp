// ScriptObject.cpp - CWString, CWScriptObject and the instance count (see ScriptObject.h).
//
// Portable: standard C++ only. Part of cwscene.
#include "scene/ScriptObject.h"

#include <cstring>  // strlen, memcpy
#include <new>      // std::nothrow

#include "scenefile/Encoding.h"  // releaseErrorChain

namespace {

std::int32_t g_instanceCount = 0;  // live CWScriptObject instances; single-threaded by design

// A heap copy of `length` bytes at `text` plus a NUL, or null when memory runs out.
char* copyText(const char* text, std::size_t length)
{
    char* buffer = new (std::nothrow) char[length + 1];
    if (!buffer) return nullptr;
    if (length > 0) std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return buffer;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// CWString

CWString::CWString() : m_text(copyText("", 0)) {}

CWString::CWString(const CWString& other) : CWString() { Assign(other); }

CWString& CWString::operator=(const CWString& other) { return Assign(other); }

CWString::~CWString() { delete[] m_text; }

CWString& CWString::Assign(const CWString& source)
{
    if (&source == this || !source.m_text) return *this;
    // The new buffer is made before the old one goes; when it cannot be made the string reads empty
    // rather than keeping a text that is no longer the right one.
    char* copy = copyText(source.m_text, std::strlen(source.m_text));
    delete[] m_text;
    m_text = copy;
    return *this;
}

CWString& CWString::AssignText(const char* text)
{
    if (!text) {
        if (!m_text) return *this;
        text = "";
    }
    // Copying first also makes a text that points into this string's own buffer safe.
    char* copy = copyText(text, std::strlen(text));
    delete[] m_text;
    m_text = copy;
    return *this;
}

std::int32_t CWString::GetLength() const { return m_text ? static_cast<std::int32_t>(std::strlen(m_text)) : 0; }

const char* CWString::GetText() const { return m_text ? m_text : ""; }

bool CWString::operator==(const CWString& other) const { return std::strcmp(GetText(), other.GetText()) == 0; }

// ---------------------------------------------------------------------------------------------------
// CWScriptObject

CWScriptObject::CWScriptObject() { ++g_instanceCount; }

CWScriptObject::CWScriptObject(const CWScriptObject& other)
{
    ++g_instanceCount;
    m_name.Assign(other.m_name);
}

CWScriptObject& CWScriptObject::operator=(const CWScriptObject& other) { return Assign(other); }

CWScriptObject& CWScriptObject::Assign(const CWScriptObject& other)
{
    if (&other != this) m_name.Assign(other.m_name);
    return *this;
}

CWScriptObject::~CWScriptObject()
{
    // The error chain lives as long as some scene object does: a failed save still finds every text
    // its objects added, and the next scene after the last one is gone starts a fresh chain.
    if (--g_instanceCount == 0) releaseErrorChain();
}

void CWScriptObject::SetName(const char* text) { m_name.AssignText(text); }

CWString& CWScriptObject::GetName(CWString& out) const
{
    out.Assign(m_name);
    return out;
}

bool CWScriptObject::IsValid() const { return true; }

std::int32_t CWScriptObject::instanceCount() { return g_instanceCount; }
