#pragma once
// A business screen of sixteen items on real widgets, loaded from a definition text.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <memory>

#include "common/display_format.h"
#include "common/system_log.h"
#include "formhelper/form.h"
#include "formhelper/helper_context.h"
#include "formhelper/screen_definition.h"
#include "support/test_support.h"

namespace tav::test {

extern const char* const kScreenDefinition;

// Collection indices of the screen's controls.
enum Ctl {
    kCode,
    kName,
    kStart,
    kPay,
    kAmount,
    kRate,
    kEra,
    kOption,
    kCheck,
    kButton,
    kRow1Code,
    kRow1Name,
    kRow2Code,
    kRow2Name,
    kFrame,
    kKanji,
    kOther,
    kFree,
    kCount,
    kBank,
    kOdd,
    kControlCount
};

class Screen : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    formhelper::Control c(int i) { return form->control(i); }
    // place, code, kind, number and message of each log line.
    QStringList reports();

    platform::FakeServices fake;
    ProgramFolder folder;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<formhelper::Form> form;
    common::DisplayFormatSettings savedFormats;
};

}  // namespace tav::test
