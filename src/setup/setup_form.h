#pragma once
// The setup window TAV_set_Form: title, source file and arrow, the setup folder, the readme,
// the agreement buttons and the end button. Geometry is kept in twips as the window was
// designed; 15 twips are one pixel.
#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>

#include "platform/units.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tav::setup {


// A line drawn on the window: its two ends in twips and its width in pixels.
struct LineControl {
    QString name;
    QPoint from;
    QPoint to;
    int borderWidth = 1;
};

class TAV_set_Form : public QWidget {
    Q_OBJECT
  public:
    explicit TAV_set_Form(QWidget* parent = nullptr);

    // The window's load: fills the labels and the readme (ends the program when the readme
    // cannot be read) and puts the focus on the first control that takes it.
    void Form_Load();

    // The text of a multi-line box as the system's files and messages hold it: lines ended by CR LF.
    static QString boxText(const QPlainTextEdit* box);
    static void setBoxText(QPlainTextEdit* box, const QString& text);
    // The design-time tab index of a control (-1 when it has none).
    static int tabIndex(const QWidget* control);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Lbl_A_FILE;
    QLabel* Label3;
    QPushButton* Cmd_SETUP;
    QPlainTextEdit* Txt_HOSOKU;
    QLabel* Label4;
    QLabel* Lbl_SETUP_DIR;
    QPlainTextEdit* Txt_readme;
    QPushButton* Cmd_DOOI_OK;
    QPushButton* Cmd_DOOI_NG;
    QPushButton* Cmd_END;
    // Line1 .. Line7 the arrow from the source file down to the setup folder, Line8 the rule
    // above the readme.
    std::array<LineControl, 8> lines;

  public slots:
    void Cmd_DOOI_OK_Click();
    void Cmd_DOOI_NG_Click();
    void Cmd_END_Click();
    void Cmd_SETUP_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace tav::setup
