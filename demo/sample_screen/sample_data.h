#pragma once
// The customer table of the demonstration office database (顧客マスタ), read by the sample
// customer-inquiry screen and its code look-up.
#include <QStringList>

namespace tav::sample {

// CREATE TABLE and INSERT statements (standard SQL) for the customers.
QStringList customerTableStatements();

}  // namespace tav::sample
