#pragma once
// Recording fakes of the platform services, for tests. Installing a FakeServices replaces the
// services in force until it goes out of scope.
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/services.h"

namespace tav::platform {

class FakeMessageBox : public MessageBoxService {
  public:
    Answer show(const MessageBoxRequest& request) override;
    std::vector<MessageBoxRequest> shown;
    std::deque<Answer> answers;  // taken in order; when empty, OK / Yes is answered
    std::function<void(const MessageBoxRequest&)> onShow;  // runs when a box is shown
};

class FakeProgramEnd : public ProgramEndService {
  public:
    void end(int status) override { statuses.push_back(status); }
    std::vector<int> statuses;
};

class FakeClock : public ClockService {
  public:
    QDateTime now() override { return current; }
    QDateTime current{QDate(2026, 4, 1), QTime(9, 5, 7)};
};

// A process that reports "still active" for a number of polls, then its exit code.
class FakeProcess : public ProcessHandle {
  public:
    FakeProcess(int pollsWhileRunning, int code) : remaining(pollsWhileRunning), code(code) {}
    int exitCode() override;
    qint64 pid() const override { return 4242; }
    int remaining;
    int code;
    int polls = 0;
};

class FakeProcessService : public ProcessService {
  public:
    ProcessHandlePtr startCommandLine(const QString& commandLine) override;
    ProcessHandlePtr openDocument(const QString& path, const QString& parameters,
                                  const QString& workingFolder) override;

    struct Document {
        QString path, parameters, workingFolder;
    };
    QStringList started;           // every command line given
    std::vector<Document> opened;  // every document opened
    int pollsWhileRunning = 3;     // how long started processes run
    bool failStart = false;        // startCommandLine throws RuntimeError 53
    bool failOpen = false;         // openDocument returns null
    std::shared_ptr<FakeProcess> last;
};

class FakeEventPump : public EventPump {
  public:
    void processEvents() override {
        ++processed;
        if (onProcess) onProcess();
    }
    void sleepMs(int ms) override { slept.push_back(ms); }
    int processed = 0;
    std::vector<int> slept;
    std::function<void()> onProcess;
};

class FakeServices {
  public:
    FakeServices();
    ~FakeServices();
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeMessageBox messageBox;
    FakeProgramEnd programEnd;
    FakeClock clock;
    FakeProcessService processes;
    FakeEventPump events;

  private:
    Services saved_;
};

}  // namespace tav::platform
