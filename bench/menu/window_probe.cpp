// A Qt input plugin for measuring and driving a program under the offscreen platform, where no
// desktop can show or press anything. Loaded into any Qt program by
//   QT_PLUGIN_PATH=<build>/bench/menu/plugins QT_QPA_GENERIC_PLUGINS=tavwindowprobe
// it changes nothing in the program: it watches the windows and sends keys as a keyboard would.
//   TAV_PROBE_FILE   lines are appended here (required; without it the probe stays idle):
//                      shown <ms> <title>          a top-level window has been painted for the
//                                                  first time, <ms> after TAV_PROBE_T0
//                      box <ms> <title>\t<text>    the same for a modal window; its text when it
//                                                  is a message box
//                      pressed <ms> <key>          a key was sent to the first window
//   TAV_PROBE_T0     the moment the process was started, in seconds since the epoch (bash's
//                    $EPOCHREALTIME, taken just before exec); 0 when unset
//   TAV_PROBE_KEY    a key ("F2", "Return", "Escape") pressed once in the first non-modal window
//                    shown, once the file TAV_PROBE_GO exists (at once when that is unset)
//   TAV_PROBE_ANSWER "1": every modal window is answered with Return (its default button)
//   TAV_PROBE_QUIT   "1": the program's event loop is left once its first window is painted (for
//                    profiling a start alone)
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>

namespace {

double epochMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

class WindowProbe : public QObject {
  public:
    explicit WindowProbe(QObject* parent) : QObject(parent) {
        file_ = qEnvironmentVariable("TAV_PROBE_FILE");
        startMs_ = qEnvironmentVariable("TAV_PROBE_T0").toDouble() * 1000.0;
        const QString key = qEnvironmentVariable("TAV_PROBE_KEY");
        if (!key.isEmpty()) {
            const QKeySequence sequence(key);
            if (sequence.count() == 1) key_ = sequence[0].key();
            else write(QStringLiteral("error unknown key ") + key);
        }
        goFile_ = qEnvironmentVariable("TAV_PROBE_GO");
        answer_ = qEnvironmentVariable("TAV_PROBE_ANSWER") == QStringLiteral("1");
        quit_ = qEnvironmentVariable("TAV_PROBE_QUIT") == QStringLiteral("1");
        if (!file_.isEmpty()) QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose) return false;
        auto* window = qobject_cast<QWindow*>(watched);
        if (!window || window->parent() || seen_.contains(window)) return false;
        seen_.insert(window);
        connect(window, &QObject::destroyed, this, [this, window] { seen_.remove(window); });
        // The expose is handled (the window painted) after this filter; the note comes then.
        QPointer<QWindow> w(window);
        QTimer::singleShot(0, this, [this, w] {
            if (w) painted(w);
        });
        return false;
    }

  private:
    void painted(QWindow* window) {
        const QString ms = QString::number(epochMs() - startMs_, 'f', 1);
        const bool modal = window->modality() != Qt::NonModal;
        if (modal) {
            QString text;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->windowHandle() != window) continue;
                if (auto* box = qobject_cast<QMessageBox*>(top)) text = box->text();
            }
            text.replace(u'\r', QString()).replace(u'\n', QStringLiteral("\\n"));
            write(QStringLiteral("box %1 %2\t%3").arg(ms, window->title(), text));
            if (answer_) press(window, Qt::Key_Return);
            return;
        }
        write(QStringLiteral("shown %1 %2").arg(ms, window->title()));
        if (quit_) QCoreApplication::quit();
        if (key_ != 0 && !keySent_) {
            keySent_ = true;
            target_ = window;
            pressWhenGo();
        }
    }

    void pressWhenGo() {
        if (!target_) return;
        if (!goFile_.isEmpty() && !QFileInfo::exists(goFile_)) {
            QTimer::singleShot(20, this, [this] { pressWhenGo(); });
            return;
        }
        write(QStringLiteral("pressed %1 %2")
                  .arg(QString::number(epochMs() - startMs_, 'f', 1),
                       QKeySequence(key_).toString()));
        press(target_, key_);
    }

    // The key goes to the window as the window system would hand it over: the window gives it
    // to its focused control.
    static void press(QWindow* window, int key) {
        QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    }

    void write(const QString& line) {
        QFile f(file_);
        if (!f.open(QIODevice::Append)) return;
        f.write((line + u'\n').toUtf8());
    }

    QString file_, goFile_;
    double startMs_ = 0;
    int key_ = 0;
    bool answer_ = false;
    bool quit_ = false;
    bool keySent_ = false;
    QPointer<QWindow> target_;
    QSet<QWindow*> seen_;
};

}  // namespace

class WindowProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "window_probe.json")
  public:
    QObject* create(const QString& key, const QString&) override {
        if (key.compare(QStringLiteral("tavwindowprobe"), Qt::CaseInsensitive) != 0) return nullptr;
        return new WindowProbe(nullptr);  // the application deletes the plugins' objects
    }
};

#include "window_probe.moc"
