#include "dialogs/CCubeRateDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {

double SelectedRatio(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    const int percent = index < 0 ? 100 : combo->itemData(index).toInt();
    return percent / 100.0;
}

} // namespace

CCubeRateDlg::CCubeRateDlg(QWidget* parent)
    : CParamDialog(QCoreApplication::translate("CCubeRateDlg", "キューブ　比率"), QSize(217, 50), parent)
{
    // Each label stops where its list begins rather than running one unit
    // under it.
    AddLabel(QStringLiteral("X"), 15, 9, 10, 8);
    m_comboX = new QComboBox(this);
    Place(m_comboX, 25, 7, 47, 14);
    AddLabel(QStringLiteral("Y"), 83, 9, 10, 8);
    m_comboY = new QComboBox(this);
    Place(m_comboY, 93, 7, 47, 14);
    AddLabel(QStringLiteral("Z"), 153, 9, 10, 8);
    m_comboZ = new QComboBox(this);
    Place(m_comboZ, 163, 7, 47, 14);
    PlaceButtons(QRect(101, 29, 50, 14), QRect(160, 29, 50, 14));
    SetTabOrder({m_buttonOK, m_buttonCancel, m_comboX, m_comboY, m_comboZ});
    FinishLayout();
}

bool CCubeRateDlg::OnInitDialog()
{
    for (QComboBox* combo : {m_comboX, m_comboY, m_comboZ})
        combo->clear();
    for (int percent = 100; percent >= 10; percent -= 10) {
        const QString text = QStringLiteral("%1%").arg(percent);
        for (QComboBox* combo : {m_comboX, m_comboY, m_comboZ})
            combo->addItem(text, percent);
    }
    // The view's present ratios are not passed in: every opening starts over
    // at 100%.
    for (QComboBox* combo : {m_comboX, m_comboY, m_comboZ})
        combo->setCurrentIndex(0);
    return true;
}

void CCubeRateDlg::OnOK()
{
    m_rateX = SelectedRatio(m_comboX);
    m_rateY = SelectedRatio(m_comboY);
    m_rateZ = SelectedRatio(m_comboZ);
    CParamDialog::OnOK();
}
