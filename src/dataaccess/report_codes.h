#pragma once
// The codes the data access operations write into the trace and the SQL error report: the
// operation (the report's place) and the message code of each line.
#include <QString>

namespace tav::dataaccess::code {

// Operations.
inline const QString Connect = QStringLiteral("Q0100");
inline const QString Disconnect = QStringLiteral("Q0200");
inline const QString Declare = QStringLiteral("Q0300");
inline const QString Fetch = QStringLiteral("Q0500");
inline const QString Close = QStringLiteral("Q0600");
inline const QString GetByName = QStringLiteral("Q0700");
inline const QString GetByPosition = QStringLiteral("Q0710");

// Trace lines.
inline const QString TraceConnect = QStringLiteral("L010");
inline const QString TraceDisconnect = QStringLiteral("L020");
inline const QString TraceDeclare = QStringLiteral("L030");
inline const QString TraceDeclaredSql = QStringLiteral("L031");
inline const QString TraceFetch = QStringLiteral("L050");
inline const QString TraceClose = QStringLiteral("L060");
inline const QString TraceGetByName = QStringLiteral("L070");
inline const QString TraceGetString = QStringLiteral("L07S");
inline const QString TraceGetNumber = QStringLiteral("L07N");
inline const QString TraceGetDate = QStringLiteral("L07D");
inline const QString TraceGetByPosition = QStringLiteral("L071");
// Written whether the trace is on or not: the statement holds a NUL character.
inline const QString SqlHoldsNul = QStringLiteral("LA30");

// Refusals and failures.
inline const QString KindNotServed = QStringLiteral("L101");
inline const QString KindNotServedHere = QStringLiteral("L102");
inline const QString ConnectFailed = QStringLiteral("L901");
inline const QString DisconnectFailed = QStringLiteral("L902");
// A declare that failed, and a connect with neither data source nor path.
inline const QString DeclareFailed = QStringLiteral("L903");
inline const QString FetchFailed = QStringLiteral("L905");
inline const QString CloseFailed = QStringLiteral("L906");
inline const QString GetFailed = QStringLiteral("L907");

}  // namespace tav::dataaccess::code
