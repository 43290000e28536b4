#pragma once
// Text files of the office: CP932 (what Japanese Windows writes: Shift_JIS plus the NEC and IBM
// characters), or UTF-8 when the file is valid UTF-8 with a non-ASCII character or a BOM.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tav::platform {

// Decodes CP932; an undecodable byte (or an incomplete sequence at the end) becomes U+FFFD.
QString decodeCp932(const QByteArray& bytes);
// Encodes to CP932; a character CP932 lacks becomes "?". Returns how many were replaced.
QByteArray encodeCp932(const QString& text, int* replaced = nullptr);
// UTF-8 if the bytes start with a UTF-8 BOM or are valid UTF-8 holding a non-ASCII byte,
// CP932 otherwise.
QString decodeText(const QByteArray& bytes);
bool isUtf8Text(const QByteArray& bytes);

// Splits decoded text into lines at CR LF or LF; a final line without an end is a line, a final
// line end does not start another. A lone CR stays in the line.
QStringList splitLines(const QString& text);

// Reads a whole text file as lines. nullopt when the file cannot be opened (errno kept).
std::optional<QStringList> readTextLines(const QString& path);
std::optional<QString> readText(const QString& path);

}  // namespace tav::platform
