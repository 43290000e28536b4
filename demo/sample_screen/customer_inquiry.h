#pragma once
// 顧客照会, the sample business screen on the framework: a customer-inquiry form whose items come
// from its screen-definition file (KOKY0100.SCR). F4 opens the code reference window (LKF10040)
// at the customer code with the please-wait window (LKF10060) shown while the codes are read;
// the chosen customer's details are read and shown. F11 opens the form-helper debugger
// (LKF10050); F12 or Esc ends the program.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>

#include "formhelper/form.h"

namespace tav::sample {

class CustomerInquiry : public QWidget {
    Q_OBJECT
  public:
    CustomerInquiry();
    ~CustomerInquiry() override;

    formhelper::Form& form() { return *form_; }

    // F4: the code look-up at the item with the focus when it has a code ID, else at the
    // customer code.
    void openLookup();
    // F11.
    void openDebugger();
    // Reads the customer of the code and shows the details; an unknown code empties them.
    void showCustomer(const QString& code);

    QLineEdit* CUST_CODE = nullptr;
    QLabel* CUST_NAME = nullptr;
    QLabel* CUST_KANA = nullptr;
    QLabel* ADDRESS = nullptr;
    QLabel* PHONE = nullptr;
    QLabel* BALANCE = nullptr;
    QLabel* CONTRACT = nullptr;
    QLabel* STATUS = nullptr;
    QPushButton* LOOKUP_BTN = nullptr;
    QPushButton* DEBUG_BTN = nullptr;
    QPushButton* END_BTN = nullptr;

    // With $TAV_SAMPLE_STATE_FILE set, the items' texts are written there after each change
    // (whole-program runs read them).
    void writeState(const QString& extra = {});

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    int index(QWidget* w) const;
    void setItem(QWidget* w, const QString& value);

    std::unique_ptr<formhelper::Form> form_;
};

// The program: common start, FEND_RUN.INI's DB number 0, the definition file, the window.
// Returns the exit status.
int RunCustomerInquiry();

}  // namespace tav::sample
