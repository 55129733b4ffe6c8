// ScriptObject.cpp - CWString, CWScriptObject and the instance count (see ScriptObject.h).
//
// Portable: standard C++ only. Part of cwscene.
#include <cwscene/ScriptObject.h>

#include <cstring>  // strlen, memcpy
#include <new>      // std::nothrow

#include <cwscene/Encoding.h>  // releaseErrorChain

namespace {

std::int32_t g_instanceCount = 0;  // live CWScriptObject instances; single-threaded by design

}  // namespace

// ---------------------------------------------------------------------------------------------------
// CWString

// Inline texts. The first byte of a string's storage tells its kind: for an inline text a mark that
// is odd (1 + twice the text's length, so that a record writer need not measure it), else the lowest
// byte of a heap address, which is even because operator new aligns every buffer. That needs the
// lowest byte of an address to be stored first (a little-endian machine, as every target of this
// program is); where it is not, inlineTexts() is false and every text goes on the heap. GetLength
// still counts to the NUL.

CWString::CWString()
{
    char* none = nullptr;  // nothing to release yet
    std::memcpy(m_storage, &none, sizeof none);
    store("", 0);
}

CWString::CWString(const CWString& other) : CWString() { Assign(other); }

// NOLINTNEXTLINE(bugprone-unhandled-self-assignment): Assign returns at once when given itself
CWString& CWString::operator=(const CWString& other) { return Assign(other); }

CWString::~CWString() { release(); }

char* CWString::heapText() const
{
    if (isInline()) return nullptr;
    char* text;
    std::memcpy(&text, m_storage, sizeof text);
    return text;
}

void CWString::release()
{
    ::operator delete(heapText());
    char* none = nullptr;
    std::memcpy(m_storage, &none, sizeof none);
}

void CWString::store(const char* text, std::size_t length)
{
    if (inlineTexts() && length <= kInlineCapacity) {
        unsigned char copy[sizeof m_storage];  // `text` may lie in m_storage itself
        copy[0] = static_cast<unsigned char>(1 + 2 * length);
        std::memcpy(copy + 1, text, length);
        copy[1 + length] = '\0';
        release();
        std::memcpy(m_storage, copy, sizeof copy);
        return;
    }
    // The new buffer is made before the old one goes, which also makes a text from this string's own
    // buffer safe; when it cannot be made the string reads empty rather than keeping a text that is no
    // longer the right one.
    char* buffer = static_cast<char*>(::operator new(length + 1, std::nothrow));  // aligned: its address is even
    if (buffer) {
        std::memcpy(buffer, text, length);
        buffer[length] = '\0';
    }
    release();
    std::memcpy(m_storage, &buffer, sizeof buffer);
}

CWString& CWString::Assign(const CWString& source)
{
    if (&source == this || !(source.isInline() || source.heapText())) return *this;
    const char* text = source.GetText();
    store(text, std::strlen(text));
    return *this;
}

CWString& CWString::AssignText(const char* text)
{
    if (!text) {
        if (!isInline() && !heapText()) return *this;
        text = "";
    }
    store(text, std::strlen(text));
    return *this;
}

std::int32_t CWString::GetLength() const { return static_cast<std::int32_t>(std::strlen(GetText())); }

const char* CWString::GetText() const
{
    if (isInline()) return reinterpret_cast<const char*>(m_storage + 1);
    const char* text = heapText();
    return text ? text : "";
}

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
