#pragma once
// The printers of the desktop. A library of its own, so that only the programs that print load
// the print support.
#include <QString>
#include <memory>

class QPrinter;

namespace tav::platform {

// The desktop's default printer; "" when it has none.
QString DefaultPrinterName();

// A high-resolution printer on the named printer.
std::unique_ptr<QPrinter> OpenPrinter(const QString& name);

}  // namespace tav::platform
