#pragma once
// A thin RAII layer over the unixODBC C API: one environment per process, connections and
// statements that free their handles, every failed call turned into an OdbcError that carries
// all diagnostic records of the handle. Text goes to each driver in the encoding it takes:
// UTF-8 through the narrow entry points (the SQLite3 driver, and any driver not known to want
// otherwise), UTF-16 through the wide ones for the Unicode PostgreSQL driver.
#include <sql.h>
#include <sqlext.h>

#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tav::dataaccess::odbc {

// One diagnostic record of a failed call.
struct Diagnostic {
    qint32 nativeError = 0;
    QString message;
    QString sqlState;
};

class OdbcError : public std::runtime_error {
  public:
    OdbcError(const QString& what, std::vector<Diagnostic> diagnostics, QString driver)
        : std::runtime_error(what.toStdString()),
          diagnostics_(std::move(diagnostics)),
          driver_(std::move(driver)) {}
    const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
    // The driver the failed call went to ("" when it never reached one).
    const QString& driver() const { return driver_; }

  private:
    std::vector<Diagnostic> diagnostics_;
    QString driver_;
};

enum class TextEncoding { Utf8Narrow, Utf16Wide };

// The wide entry points for drivers that take UTF-16 (psqlodbcw), UTF-8 through the narrow
// ones for everything else.
TextEncoding encodingForDriver(const QString& driverFileName);

// Quotes a connect-string value in braces when it holds a character that would end it.
QString connectValue(const QString& value);

class Environment {
  public:
    // The process-wide environment (ODBC 3 behaviour), created on first use.
    static Environment& instance();
    SQLHENV handle() const { return handle_; }
    // The driver description a data source of odbc.ini names; "" when there is no such source.
    QString driverOfDataSource(const QString& dataSource);
    // The file of a driver of odbcinst.ini, by its description ("" when there is no such driver).
    QString driverFile(const QString& driverDescription);

    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    ~Environment();

  private:
    Environment();
    SQLHENV handle_ = SQL_NULL_HENV;
};

class Connection {
  public:
    // driverLabel names the driver in diagnostics until the connection reports its own name.
    explicit Connection(QString driverLabel = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Connects without prompting; throws OdbcError with the driver's diagnostics.
    void connect(const QString& connectString);
    // Disconnects; throws OdbcError when the driver refuses. Safe to call when not connected.
    void disconnect();
    bool connected() const { return connected_; }

    // The driver's file name as the driver reports it (e.g. "libsqlite3odbc.so", "psqlodbcw.so").
    const QString& driverName() const { return driverName_; }
    TextEncoding encoding() const { return encoding_; }
    SQLHDBC handle() const { return handle_; }

    // Collects the diagnostic records of a handle of this connection.
    std::vector<Diagnostic> diagnostics(SQLSMALLINT handleType, SQLHANDLE handle) const;
    [[noreturn]] void fail(const QString& what, SQLSMALLINT handleType, SQLHANDLE handle) const;

  private:
    SQLHDBC handle_ = SQL_NULL_HDBC;
    bool connected_ = false;
    QString driverName_;
    TextEncoding encoding_ = TextEncoding::Utf8Narrow;
};

// The SQL type class of a result column, and how its values are read.
enum class ColumnClass { Text, Integer, Number, Date, Time, Timestamp, Boolean, Binary };

struct ColumnInfo {
    QString name;
    SQLSMALLINT sqlType = 0;
    SQLULEN size = 0;  // characters of a text column, as the driver reports it
    ColumnClass kind = ColumnClass::Text;
};

ColumnClass classOfSqlType(SQLSMALLINT sqlType);

class Statement {
  public:
    explicit Statement(Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Returns false when the driver does not take the time-out (it is then left as it is).
    bool setQueryTimeout(SQLULEN seconds);
    // Runs the text as it is, its full length passed (a NUL inside goes to the driver too).
    void execDirect(const QString& sql);
    // The same in two steps: prepare (nothing runs yet; columnCount tells whether the statement
    // yields a result), then execute.
    void prepare(const QString& sql);
    void execute();
    SQLSMALLINT columnCount();
    ColumnInfo describeColumn(SQLUSMALLINT column);
    std::vector<ColumnInfo> describeColumns();
    // Moves to the next row; false past the last one.
    bool fetch();
    // The value of a column of the current row: Null for SQL NULL, an integer for integer
    // columns, a double for the other numeric ones, text for character columns.
    QVariant getData(SQLUSMALLINT column, ColumnClass kind);
    // The typed reads the snapshot uses: false for SQL NULL. readText appends the text as the
    // driver delivers it (UTF-8, or UTF-16 for a wide driver) to `out`.
    bool readInteger(SQLUSMALLINT column, qint64& value);
    bool readNumber(SQLUSMALLINT column, double& value);
    bool readText(SQLUSMALLINT column, QByteArray& out);
    // Block fetching into bound buffers, for results whose columns are all integers, numbers or
    // text of a known size (up to kMaxBoundChars characters). bindColumns returns false, and
    // binds nothing, when a column does not qualify or the driver refuses row arrays.
    static constexpr SQLULEN kMaxBoundChars = 4000;
    bool bindColumns(const std::vector<ColumnInfo>& columns, SQLULEN rowsPerBlock);
    // Fetches the next block of up to `rows` rows (at most the rowsPerBlock bound) into the
    // buffers; the number of rows it holds, 0 past the end.
    SQLULEN fetchBlock(SQLULEN rows);
    // A value of the block: its indicator (SQL_NULL_DATA for NULL, else its length in bytes)
    // and its bytes. A text longer than its buffer shows as an indicator above boundWidth - a NUL.
    SQLLEN boundIndicator(SQLULEN row, size_t column) const {
        return bound_[column].indicators[row];
    }
    const char* boundData(SQLULEN row, size_t column) const {
        return bound_[column].data.get() + row * static_cast<size_t>(bound_[column].width);
    }
    SQLLEN boundWidth(size_t column) const { return bound_[column].width; }
    // Rows a non-query statement changed (-1 when the driver cannot tell).
    SQLLEN rowCount();

    SQLHSTMT handle() const { return handle_; }

  private:
    QVariant getText(SQLUSMALLINT column);
    QVariant getBinary(SQLUSMALLINT column);
    [[noreturn]] void fail(const QString& what) const;

    struct Bound {
        SQLLEN width = 0;
        std::unique_ptr<char[]> data;  // the driver writes every byte it is read back by
        std::vector<SQLLEN> indicators;
    };
    Connection& connection_;
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
    std::vector<Bound> bound_;
    std::vector<SQLUSMALLINT> rowStatus_;
    SQLULEN fetched_ = 0;
    SQLULEN blockRows_ = 0;  // the row array size set on the statement
};

}  // namespace tav::dataaccess::odbc
