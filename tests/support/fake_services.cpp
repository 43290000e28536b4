#include "fake_services.h"

#include "platform/runtime_error.h"

namespace tav::platform {

Answer FakeMessageBox::show(const MessageBoxRequest& request) {
    shown.push_back(request);
    if (onShow) onShow(request);
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return request.buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

int FakeProcess::exitCode() {
    ++polls;
    if (remaining > 0) {
        --remaining;
        return kStillActive;
    }
    return code;
}

ProcessHandlePtr FakeProcessService::startCommandLine(const QString& commandLine) {
    started.append(commandLine);
    if (failStart) err::raise(err::FileNotFound);
    last = std::make_shared<FakeProcess>(pollsWhileRunning, 0);
    return last;
}

ProcessHandlePtr FakeProcessService::openDocument(const QString& path, const QString& parameters,
                                                  const QString& workingFolder) {
    opened.push_back({path, parameters, workingFolder});
    if (failOpen) return nullptr;
    last = std::make_shared<FakeProcess>(pollsWhileRunning, 0);
    return last;
}

FakeServices::FakeServices() : saved_(services()) {
    services() = Services{&messageBox, &programEnd, &clock, &processes, &events};
}

FakeServices::~FakeServices() {
    services() = saved_;
}

}  // namespace tav::platform
