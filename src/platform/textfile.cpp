#include "textfile.h"

#include <iconv.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "runtime_error.h"

namespace tav::platform {

namespace {

// One iconv descriptor per direction, opened once; the program is single-threaded in its use.
struct Converter {
    iconv_t cd;
    int error;  // iconv_open's reason when cd is not usable
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)), error(errno) {}
    ~Converter() {
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
};

Converter& fromCp932() {
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}
Converter& toCp932() {
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

// The converter's descriptor; a machine without the CP932 converter (glibc's gconv modules)
// cannot read or write the office's files, and says so instead of guessing.
iconv_t usable(const Converter& c) {
    if (c.cd == reinterpret_cast<iconv_t>(-1)) {
        qCritical("TAV: no CP932 converter on this machine (iconv: %s)", std::strerror(c.error));
        err::raise(err::InvalidCall);
    }
    return c.cd;
}

}  // namespace

QString decodeCp932(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    iconv_t cd = usable(fromCp932());
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char16_t buffer[1024];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof(buffer);
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar*>(buffer), (sizeof(buffer) - outLeft) / 2);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: one byte cannot start a character here; mark it and go on.
            out.append(QChar(0xFFFD));
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

QByteArray encodeCp932(const QString& text, int* replaced) {
    QByteArray out;
    int bad = 0;
    iconv_t cd = usable(toCp932());
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // Character by character, so that one unmappable character costs one "?".
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData() + i));
        size_t inLeft = static_cast<size_t>(len) * 2;
        char buf[16];
        char* outPtr = buf;
        size_t outLeft = sizeof(buf);
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (r == static_cast<size_t>(-1) || r > 0) {
            // r > 0: glibc made a lossy approximation; treat it as missing too.
            out.append('?');
            ++bad;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(buf, static_cast<qsizetype>(sizeof(buf) - outLeft));
        }
        i += len;
    }
    if (replaced) *replaced = bad;
    return out;
}

namespace {

// Walks the bytes as UTF-8. False when they are not valid UTF-8; otherwise true, with *decisive
// telling whether a multi-byte sequence was met that CP932 text does not form by chance.
//
// CP932 puts its half-width katakana on the single bytes A1..DF and its double-byte characters
// on lead bytes 81..9F and E0..FC. A two-byte UTF-8 sequence has its lead in C2..DF, always a
// half-width katakana, and its second byte in 80..BF: A1..BF is another half-width katakana
// and 81..9F the lead byte of a double-byte character, both ordinary CP932 text (ﾃｽ is C3 BD).
// So a two-byte sequence decides only when its second byte is 80 or A0, which CP932 text never
// holds. A three- or four-byte sequence would take a lead byte E0..F4 followed by continuation
// bytes throughout, which CP932 text does not form by chance.
bool walkUtf8(const QByteArray& bytes, bool* decisive) {
    *decisive = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned int cp;
        if (c >= 0xC2 && c <= 0xDF)
            len = 2, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
            len = 3, cp = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4)
            len = 4, cp = c & 0x07;
        else
            return false;
        if (i + len > n) return false;
        for (int k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        if (len > 2 || p[i + 1] == 0x80 || p[i + 1] == 0xA0) *decisive = true;
        i += len;
    }
    return true;
}

}  // namespace

bool isUtf8Text(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return true;
    bool decisive = false;
    return walkUtf8(bytes, &decisive) && decisive;
}

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (isUtf8Text(bytes)) return QString::fromUtf8(bytes);
    return decodeCp932(bytes);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    // A file that ends its lines in CR LF ends them there only: a stray LF (or CR) inside a
    // record stays in it. A file without any CR LF, as written on Linux, ends them at LF.
    const bool crLf = text.contains(QStringLiteral("\r\n"));
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n') continue;
        if (crLf) {
            if (i == start || text[i - 1] != u'\r') continue;
            lines.append(text.mid(start, i - 1 - start));
        } else {
            lines.append(text.mid(start, i - start));
        }
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.mid(start));
    return lines;
}

std::optional<QString> readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return decodeText(f.readAll());
}

std::optional<QStringList> readTextLines(const QString& path) {
    auto t = readText(path);
    if (!t) return std::nullopt;
    return splitLines(*t);
}

}  // namespace tav::platform
