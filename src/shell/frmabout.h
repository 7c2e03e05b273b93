#pragma once

#include <QDialog>

class QLabel;

// Title, version and icon of the program.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* padre);

    QLabel *picIcon = nullptr, *lblTitle = nullptr, *lblVersion = nullptr;
};
