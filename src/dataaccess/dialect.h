#pragma once
// The office database's SQL dialect, rewritten for the backend a statement runs on.
//
// The programs write their statements in this dialect:
//   "..."      a string literal; a doubled "" inside stands for one quote
//   '...'      also a string literal (a doubled '' inside is one quote)
//   [name]     a quoted identifier
//   =>  =<     greater-or-equal and less-or-equal
//   * and ?    in the pattern of LIKE: any run of characters and any one character; there,
//              % and _ are plain characters, and [*] [?] [#] [[] stand for that one character
// The translation turns every string literal into a standard '...' literal, [name] into "name",
// => and =< into >= and <=, and LIKE patterns into standard ones (an ESCAPE '\' clause is added
// when a pattern holds a % or _ of its own). Nothing else inside a string literal is touched;
// identifiers in any script (名称ＩＤ, タイトル１行目) pass unchanged.
#include <QString>

namespace tav::dataaccess {

enum class Backend { SQLite, PostgreSQL, Other };

// The backend a connection's driver belongs to, by the driver's file name.
Backend backendOfDriver(const QString& driverFileName);

QString translateSql(const QString& sql, Backend backend);

// A value as a string literal of the dialect: in double quotes, every double quote inside
// doubled, so the literal ends where the value ends whatever the value holds.
QString dialectLiteral(const QString& value);
// A value as the content of a literal opened by `quote` (" or '): that quote doubled.
QString literalContent(const QString& value, QChar quote);
// A value as characters that stand for themselves in a LIKE pattern of the dialect: * ? # and
// [ are written [*] [?] [#] [[]. The result still has to be put into a literal.
QString likeLiteralText(const QString& value);

}  // namespace tav::dataaccess
