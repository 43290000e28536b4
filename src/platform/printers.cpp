#include "printers.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tav::platform {

QString DefaultPrinterName() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? QString() : info.printerName();
}

std::unique_ptr<QPrinter> OpenPrinter(const QString& name) {
    return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
}

}  // namespace tav::platform
