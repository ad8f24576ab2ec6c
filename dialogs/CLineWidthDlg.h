#pragma once

#include "dialogs/CParamDialog.h"

#include <QString>

class QLabel;
class QLineEdit;

// The line width dialog, shared by every line-drawn scene element: a whole
// number of pixels from 1 to 25, titled with the element's name.
class CLineWidthDlg : public CParamDialog {
    Q_OBJECT
public:
    explicit CLineWidthDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    // The width edited: enable or disable OK and set the message line.
    void OnChangeEditWidth();
    void OnOK() override;

    // The text of the message line while the width is refused.
    static QString RangeMessage();
    // The whole number the dialog shows for a width: truncated toward zero.
    // Widths beyond the integer range (absurd values from a settings file)
    // give the nearest limit and NaN gives 0, all of them then refused.
    static int WidthToInt(double width);

    // Set by the caller; on OK the confirmed whole number.
    double m_width = 0.0;
    // The element's name, shown as the title.
    QString m_title;

    QLineEdit* m_editWidth = nullptr;
    QLabel* m_staticMessage = nullptr;

private:
    bool IsInputValid() const;
};
