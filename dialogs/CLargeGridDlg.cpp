#include "dialogs/CLargeGridDlg.h"

#include "model/GridLimits.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <utility>

CLargeGridDlg::CLargeGridDlg(QWidget* parent)
    : CParamDialog(QCoreApplication::translate("CLargeGridDlg", "大きなグリッドのサイズ"), QSize(273, 88), parent)
{
    AddLabel(QStringLiteral("X"), 14, 11, 8, 8);
    m_spinX = AddSideSpin(24, 10, 44, 12);
    AddLabel(QStringLiteral("Y"), 75, 11, 8, 8);
    m_spinY = AddSideSpin(85, 10, 44, 12);
    AddLabel(QStringLiteral("Z"), 136, 11, 8, 8);
    m_spinZ = AddSideSpin(146, 10, 44, 12);
    AddLabel(QCoreApplication::translate("CLargeGridDlg", "合計"), 198, 11, 17, 8);
    m_editTotal = new QLineEdit(this);
    m_editTotal->setReadOnly(true);
    m_editTotal->setFocusPolicy(Qt::NoFocus);
    Place(m_editTotal, 217, 10, 49, 12, {QStringLiteral("1073741824")});

    m_staticMessage = AddLabel(QString(), 14, 32, 252, 12, {RangeMessage()});
    PlaceButtons(QRect(147, 67, 50, 14), QRect(216, 67, 50, 14));
    // As in the size dialog, OK comes first: Enter confirms the size shown.
    SetTabOrder({m_buttonOK, m_buttonCancel, m_spinX, m_spinY, m_spinZ});
    FinishLayout();

    for (QSpinBox* spin : {m_spinX, m_spinY, m_spinZ})
        connect(spin, &QSpinBox::valueChanged, this, &CLargeGridDlg::OnChangeSize);
}

QSpinBox* CLargeGridDlg::AddSideSpin(int x, int y, int width, int height)
{
    auto* spin = new QSpinBox(this);
    spin->setRange(1, int(GridLimits::kMaxSide));
    Place(spin, x, y, width, height);
    return spin;
}

QString CLargeGridDlg::RangeMessage()
{
    return QCoreApplication::translate("CLargeGridDlg", "各辺を 1～%1、キューブの合計を %2 以下に設定して下さい")
        .arg(GridLimits::kMaxSide)
        .arg(GridLimits::kMaxCells);
}

bool CLargeGridDlg::OnInitDialog()
{
    // A side the spin boxes cannot show (a long thin grid from the size
    // dialog) is shown clamped; OK then sets the clamped size.
    for (auto [spin, value] : {std::pair{m_spinX, m_sizeX}, std::pair{m_spinY, m_sizeY}, std::pair{m_spinZ, m_sizeZ}}) {
        const QSignalBlocker quiet(spin);
        spin->setValue(value);
    }
    OnChangeSize();
    return true;
}

bool CLargeGridDlg::IsInputValid() const
{
    return GridLimits::IsValid(m_spinX->value(), m_spinY->value(), m_spinZ->value());
}

void CLargeGridDlg::OnChangeSize()
{
    m_editTotal->setText(QString::number(std::int64_t(m_spinX->value()) * m_spinY->value() * m_spinZ->value()));
    const bool valid = IsInputValid();
    m_buttonOK->setEnabled(valid);
    m_staticMessage->setText(valid ? QString() : RangeMessage());
}

void CLargeGridDlg::OnOK()
{
    // Only reachable with OK enabled; checked again for a direct call.
    if (!IsInputValid())
        return;
    m_sizeX = m_spinX->value();
    m_sizeY = m_spinY->value();
    m_sizeZ = m_spinZ->value();
    CParamDialog::OnOK();
}
