// ShiftJisPosix.cpp - CP932 conversions through the C library's iconv (glibc knows CP932 with its
// Microsoft extensions). See include/cwscene/ShiftJis.h.
//
// Opening a converter looks its modules up by name and costs some thousand times more than converting
// a short name, so each thread opens one per direction, on first use, and keeps it.
#include "scenefile/ShiftJisDetail.h"

#include <iconv.h>

#include <cerrno>

namespace cwscene::detail {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// An iconv descriptor that closes itself.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok()) ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is how iconv_open says it failed
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Back to the initial state, as after iconv_open, for the next text.
    void reset() { ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

    // Converts what it can of `in` into `out`: true when all of it went, false at a byte it cannot
    // take (left at the start of `in`).
    bool run(std::string_view& in, std::string& out)
    {
        char* next = const_cast<char*>(in.data());  // iconv's interface is not const-correct; it only reads
        std::size_t left = in.size();
        for (;;) {
            char buffer[256];
            char* to = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t done = ::iconv(m_cd, &next, &left, &to, &room);
            out.append(buffer, static_cast<std::size_t>(to - buffer));
            if (done != static_cast<std::size_t>(-1) || (errno != E2BIG)) break;
        }
        in = std::string_view(next, left);
        return left == 0;
    }

private:
    iconv_t m_cd;
};

// This thread's converter, in its initial state; one that failed to open stays failed (no table).
Converter& toCp932()
{
    thread_local Converter converter("CP932", "UTF-8");
    if (converter.ok()) converter.reset();
    return converter;
}

Converter& fromCp932()
{
    thread_local Converter converter("UTF-8", "CP932");
    if (converter.ok()) converter.reset();
    return converter;
}

}  // namespace

std::optional<std::string> cp932FromUtf8(std::string_view utf8)
{
    Converter& converter = toCp932();
    std::string out;
    if (!converter.ok() || !converter.run(utf8, out)) return std::nullopt;
    return out;
}

std::string utf8FromCp932(std::string_view sjis, bool& valid)
{
    Converter& converter = fromCp932();
    if (!converter.ok()) {  // no table: the bytes as they are
        valid = false;
        return std::string(sjis);
    }
    std::string out;
    while (!converter.run(sjis, out)) {  // an invalid byte, or a lead byte without its trail byte
        valid = false;
        out += kReplacement;
        sjis.remove_prefix(1);
    }
    return out;
}

}  // namespace cwscene::detail
