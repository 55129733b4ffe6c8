/// \file
/// The base of every scene object (CWScriptObject), the byte text that holds names (CWString) and the
/// coordinate triple (CWCoord).
///
/// Portable: standard C++ only. Part of the scene library (cwscene). Every scene object is counted while
/// it lives; when the last one goes, the scene file writer's error chain is released
/// (cwscene/Encoding.h).
#pragma once

#include <cwscene/Export.h>

#include <cstddef>  // size_t
#include <cstdint>  // int32_t
#include <cstring>  // memcpy
#include <string_view>
#include <cstdio>   // FILE

// ---------------------------------------------------------------------------------------------------
/// CWString: an owned, NUL-terminated byte text (Shift-JIS for the program's own names). The length is
/// not stored; it is the number of bytes before the NUL. A string whose allocation failed holds no
/// buffer and reads as empty everywhere.
class CWSCENE_API CWString {
public:
    CWString();                                  ///< An empty text.
    CWString(const CWString& other);             ///< Starts empty, then Assign(other).
    CWString& operator=(const CWString& other);  ///< Assign(other); returns this string.
    /// Releases the buffer.
    virtual ~CWString();

    /// Copies `source`'s bytes and returns this string. Nothing changes when `source` is this string or
    /// holds no buffer.
    CWString& Assign(const CWString& source);
    /// Copies a NUL-terminated text and returns this string; null makes the string empty.
    CWString& AssignText(const char* text);

    std::int32_t GetLength() const;  ///< The number of bytes before the NUL; 0 without a buffer.
    const char* GetText() const;     ///< The bytes, NUL-terminated, owned by the string; "" without a buffer.
    /// GetText and GetLength at once, for the record writers: a short text is measured without a call.
    /// The view is valid until the string changes or goes.
    std::string_view view() const
    {
        if (isInline()) return std::string_view(reinterpret_cast<const char*>(m_storage + 1), m_storage[0] >> 1);
        return std::string_view(GetText());
    }

    bool operator==(const CWString& other) const;  ///< True when both hold the same bytes.
    bool operator!=(const CWString& other) const { return !(*this == other); }  ///< True when the bytes differ.

    /// Texts of up to this many bytes are kept inside the string itself, without a heap buffer (most
    /// names of a scene: "直方体" is six bytes), where the platform allows it (see ScriptObject.cpp).
    static constexpr std::size_t kInlineCapacity = sizeof(char*) - 2;

private:
    /// Whether texts are kept inline here: where an address's lowest byte is stored first (see
    /// ScriptObject.cpp). A constant that the compiler works out; no state to initialise.
    static bool inlineTexts()
    {
        const std::uint16_t one = 1;
        unsigned char first = 0;
        std::memcpy(&first, &one, 1);
        return first == 1;
    }
    bool isInline() const { return inlineTexts() && (m_storage[0] & 1u) != 0; }
    char* heapText() const;  ///< The heap buffer, or null (also after a failed allocation).
    /// Replaces the text by `length` bytes at `text` and a NUL; `text` may point into this string.
    /// When memory runs out the string is left without a buffer.
    void store(const char* text, std::size_t length);
    void release();

    /// Either the address of an owned heap buffer (null after a failed allocation), or an inline text:
    /// its mark (1 + twice its length: odd), the bytes, the NUL.
    alignas(char*) unsigned char m_storage[sizeof(char*)];
};

// ---------------------------------------------------------------------------------------------------
/// CWCoord: three 32-bit floats; positions, rotations, sizes and scales.
class CWSCENE_API CWCoord {
public:
    CWCoord() : m_x(0.0f), m_y(0.0f), m_z(0.0f) {}                        ///< 0, 0, 0.
    CWCoord(float x, float y, float z) : m_x(x), m_y(y), m_z(z) {}        ///< The three values given.
    CWCoord(const CWCoord&) = default;             ///< Copies the three values.
    CWCoord& operator=(const CWCoord&) = default;  ///< Copies the three values.
    virtual ~CWCoord() = default;                  ///< Nothing to release.

    /// True when all three values are equal (as floats: 0.0 equals -0.0, NaN equals nothing).
    bool operator==(const CWCoord& o) const { return m_x == o.m_x && m_y == o.m_y && m_z == o.m_z; }
    bool operator!=(const CWCoord& o) const { return !(*this == o); }  ///< Not operator==.

    float m_x;  ///< The first value, along x.
    float m_y;  ///< The second value, along y.
    float m_z;  ///< The third value, along z (up in the wizard's scenes).
};

// ---------------------------------------------------------------------------------------------------
/// CWScriptObject: a name, a place in the process-wide instance count, and a record writer.
class CWSCENE_API CWScriptObject {
public:
    CWScriptObject();                              ///< Empty name; the instance count rises.
    CWScriptObject(const CWScriptObject& other);   ///< The instance count rises; the name is copied.
    CWScriptObject& operator=(const CWScriptObject& other);  ///< Assign(other); returns this object.
    /// Copies the other object's name and returns this object; the instance count is not touched.
    CWScriptObject& Assign(const CWScriptObject& other);
    /// The instance count falls; at zero the error chain is released.
    virtual ~CWScriptObject();

    /// Writes this object's record to an open scene file stream through the primitives of
    /// cwscene/Encoding.h. Failures are thrown as WriteFailure.
    virtual void Write(std::FILE* stream) = 0;
    virtual void SetName(const char* text);          ///< Copies the text as the name; null empties the name.
    virtual CWString& GetName(CWString& out) const;  ///< `out` receives its own copy of the name; returns `out`.
    virtual bool IsValid() const;                    ///< True for every class of the library.

    const CWString& name() const { return m_name; }  ///< The name itself, without a copy.

    /// Live scene objects of any class in this process.
    static std::int32_t instanceCount();

protected:
    CWString m_name;  ///< The object's name: empty at construction, bytes as the program gives them.
};
