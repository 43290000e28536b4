#pragma once
// Text files of the office (menu file, password file, readme, FEND_RUN.INI, screen definitions):
// CP932 (what Japanese Windows writes: Shift_JIS plus the NEC and IBM characters), or UTF-8 when
// the file starts with a BOM, or is valid UTF-8 as a whole and holds a multi-byte sequence that
// CP932 text does not form by chance (DESIGN.md decision 3).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tav::platform {

// Decodes CP932; an undecodable byte (or an incomplete sequence at the end) becomes U+FFFD.
QString decodeCp932(const QByteArray& bytes);
// Encodes to CP932; a character CP932 lacks becomes "?". Returns how many were replaced.
QByteArray encodeCp932(const QString& text, int* replaced = nullptr);
// The one decoder of every text file: UTF-8 (without its BOM) when isUtf8Text, CP932 otherwise.
QString decodeText(const QByteArray& bytes);
// True for a UTF-8 BOM, or valid UTF-8 holding a three- or four-byte sequence or a two-byte one
// whose second byte is 80 or A0. Two-byte sequences of half-width katakana (ﾃｽ is C3 BD) and
// of a half-width katakana and a double-byte lead byte are ordinary CP932 and decide nothing.
bool isUtf8Text(const QByteArray& bytes);

// Splits decoded text into lines: at CR LF only when the text holds any CR LF (a stray LF or CR
// stays in its line), at LF otherwise. A final line without an end is a line, a final line end
// does not start another.
QStringList splitLines(const QString& text);

// Reads a whole text file as lines. nullopt when the file cannot be opened (errno kept).
std::optional<QStringList> readTextLines(const QString& path);
std::optional<QString> readText(const QString& path);

}  // namespace tav::platform
