#pragma once

#include <QDialog>

#include <array>

class QRadioButton;

// Lets the user choose the language. There is no cancel: every way of closing it stores the
// language selected at that moment.
class frmLAng : public QDialog {
    Q_OBJECT
public:
    explicit frmLAng(QWidget* padre = nullptr);

    std::array<QRadioButton*, 3> optLang{};

    void done(int risultato) override;

private:
    void Form_Load();
    void Form_Unload();
};
