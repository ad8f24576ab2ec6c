#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the program's icon, its name and version, and the maker's
// notice, closed with OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* IconLabel() const { return m_icon; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QLabel* m_icon = nullptr;
    QPushButton* m_ok = nullptr;
};
