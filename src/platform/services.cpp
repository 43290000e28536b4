#include "services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/context.h"
#include "posix_process.h"
#include "program_info.h"

namespace tav::platform {

namespace {

class QtMessageBoxService : public MessageBoxService {
  public:
    Answer show(const MessageBoxRequest& r) override {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            // No window system: the text still reaches someone.
            std::fprintf(stderr, "[%s] %s\n", r.title.toLocal8Bit().constData(),
                         r.text.toLocal8Bit().constData());
            return r.buttons == Buttons::YesNo      ? Answer::No
                   : r.buttons == Buttons::OkCancel ? Answer::Cancel
                                                    : Answer::Ok;
        }
        QMessageBox box;
        box.setWindowTitle(r.title);
        // The office's boxes break lines at CR LF and at a lone CR alike.
        QString text = r.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        box.setText(text);
        box.setTextFormat(Qt::PlainText);
        switch (r.icon) {
            case Icon::None:
                box.setIcon(QMessageBox::NoIcon);
                break;
            case Icon::Critical:
                box.setIcon(QMessageBox::Critical);
                break;
            case Icon::Exclamation:
                box.setIcon(QMessageBox::Warning);
                break;
            case Icon::Information:
                box.setIcon(QMessageBox::Information);
                break;
        }
        QPushButton* first = nullptr;
        QPushButton* second = nullptr;
        switch (r.buttons) {
            case Buttons::Ok:
                first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
                break;
            case Buttons::OkCancel:
                first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
                second = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
                break;
            case Buttons::YesNo:
                first = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
                second = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
                break;
        }
        box.setDefaultButton(r.defaultButton == DefaultButton::Second && second ? second : first);
        if (second) box.setEscapeButton(second);
        if (r.systemModal) box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        bool tookSecond = second && box.clickedButton() == second;
        if (!box.clickedButton() && second) tookSecond = true;  // closed by its frame
        switch (r.buttons) {
            case Buttons::Ok:
                return Answer::Ok;
            case Buttons::OkCancel:
                return tookSecond ? Answer::Cancel : Answer::Ok;
            case Buttons::YesNo:
                return tookSecond ? Answer::No : Answer::Yes;
        }
        return Answer::Ok;
    }
};

class ProcessEndService : public ProgramEndService {
  public:
    void end(int status) override {
        runBeforeEndHooks();
        std::fflush(nullptr);
        std::_Exit(status);
    }
};

class SystemClock : public ClockService {
  public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

class QtEventPump : public EventPump {
  public:
    void processEvents() override {
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    void sleepMs(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }
};

struct BeforeEndHooks {
    std::vector<std::function<void()>> hooks;
};
std::vector<std::function<void()>>& hooks() {
    return context().get<BeforeEndHooks>().hooks;
}

// The services in force, the real ones until a test installs others.
struct InstalledServices {
    Services current = realServices();
};

}  // namespace

Services realServices() {
    static QtMessageBoxService messageBox;
    static ProcessEndService programEnd;
    static SystemClock clock;
    static PosixProcessService processes;
    static QtEventPump events;
    return Services{&messageBox, &programEnd, &clock, &processes, &events};
}

Services& services() {
    return context().get<InstalledServices>().current;
}

void addBeforeEndHook(std::function<void()> hook) {
    hooks().push_back(std::move(hook));
}

void runBeforeEndHooks() {
    for (auto& h : hooks()) h();
}

Answer messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon,
                  DefaultButton defaultButton, bool systemModal) {
    MessageBoxRequest r{
        text, title.isEmpty() ? programTitle() : title, buttons, icon, defaultButton, systemModal};
    return services().messageBox->show(r);
}

void endProgram(int status) {
    services().programEnd->end(status);
    throw ProgramExit{status};  // only a test's fake returns here
}

QDateTime now() {
    return services().clock->now();
}

int waitForProcess(ProcessHandle& process) {
    EventPump& pump = *services().events;
    for (;;) {
        int code = process.exitCode();
        if (code != kStillActive) return code;
        pump.processEvents();
        pump.sleepMs(10);
    }
}

}  // namespace tav::platform
