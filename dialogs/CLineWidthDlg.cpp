#include "dialogs/CLineWidthDlg.h"

#include "dialogs/CDigitsValidator.h"
#include "dialogs/IntText.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <limits>

namespace {

constexpr int kMinWidth = 1;
constexpr int kMaxWidth = 25;

} // namespace

CLineWidthDlg::CLineWidthDlg(QWidget* parent)
    : CParamDialog(QStringLiteral("Dialog"), QSize(169, 77), parent)
{
    AddLabel(QCoreApplication::translate("CLineWidthDlg", "線幅"), 15, 17, 17, 8);
    m_editWidth = new QLineEdit(this);
    m_editWidth->setAlignment(Qt::AlignRight);
    m_editWidth->setValidator(new CDigitsValidator(m_editWidth));
    Place(m_editWidth, 40, 14, 48, 14);
    m_staticMessage = AddLabel(QCoreApplication::translate("CLineWidthDlg", "スタティック"), 15, 37, 140, 8, {RangeMessage()});
    PlaceButtons(QRect(48, 56, 50, 14), QRect(112, 56, 50, 14));
    SetTabOrder({m_buttonOK, m_buttonCancel, m_editWidth});
    FinishLayout();

    connect(m_editWidth, &QLineEdit::textChanged, this, &CLineWidthDlg::OnChangeEditWidth);
}

QString CLineWidthDlg::RangeMessage()
{
    return QCoreApplication::translate("CLineWidthDlg", "線幅を 1～%1 の間に設定して下さい").arg(kMaxWidth);
}

int CLineWidthDlg::WidthToInt(double width)
{
    if (std::isnan(width))
        return 0;
    const double truncated = std::trunc(width);
    if (truncated <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (truncated >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(truncated);
}

bool CLineWidthDlg::OnInitDialog()
{
    // Writing the text validates it and replaces the template's placeholder
    // in the message line.
    m_editWidth->setText(QString::number(WidthToInt(m_width)));
    setWindowTitle(m_title);
    return true;
}

bool CLineWidthDlg::IsInputValid() const
{
    const std::int32_t width = TextToInt(m_editWidth->text());
    return width >= kMinWidth && width <= kMaxWidth;
}

void CLineWidthDlg::OnChangeEditWidth()
{
    const bool valid = IsInputValid();
    m_buttonOK->setEnabled(valid);
    m_staticMessage->setText(valid ? QString() : RangeMessage());
}

void CLineWidthDlg::OnOK()
{
    if (!IsInputValid())
        return;
    m_width = double(TextToInt(m_editWidth->text()));
    CParamDialog::OnOK();
}
