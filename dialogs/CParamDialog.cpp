#include "dialogs/CParamDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

// The family that carries the Japanese glyphs, listed after the desktop's own
// font so that Latin text keeps the desktop look and kana and kanji come out in
// Japanese forms rather than whatever fallback the font system picks first.
const QString kJapaneseFamily = QStringLiteral("Noto Sans CJK JP");

// Rounds a * b / c to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * b / c));
}

} // namespace

CParamDialog::CParamDialog(const QString& title, QSize sizeInDialogUnits, QWidget* parent)
    : QDialog(parent)
    , m_sizeInDialogUnits(sizeInDialogUnits)
{
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    QFont dialogFont = font();
    QStringList families = dialogFont.families();
    if (families.isEmpty())
        families << dialogFont.family();
    if (!families.contains(kJapaneseFamily))
        families << kJapaneseFamily;
    dialogFont.setFamilies(families);
    setFont(dialogFont);
    m_baseUnits = BaseUnitsOf(fontMetrics());

    m_buttonOK = new QPushButton(QStringLiteral("OK"), this);
    m_buttonCancel = new QPushButton(QCoreApplication::translate("CParamDialog", "キャンセル"), this);
    m_buttonOK->setDefault(true);
    connect(m_buttonOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_buttonCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

CParamDialog::~CParamDialog() = default;

int CParamDialog::DoModal()
{
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CParamDialog::OnOK()
{
    accept();
}

void CParamDialog::OnCancel()
{
    reject();
}

void CParamDialog::setVisible(bool visible)
{
    const bool opening = visible && !isVisible();
    const bool focusFirst = opening && OnInitDialog();
    QDialog::setVisible(visible);
    if (focusFirst)
        FocusFirstControl();
}

void CParamDialog::done(int result)
{
    if (result == QDialog::Accepted && !m_buttonOK->isEnabled())
        return;
    QDialog::done(result);
}

void CParamDialog::FocusFirstControl()
{
    for (QWidget* control : m_tabOrder) {
        if (control->isEnabled() && control->isVisible()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QSize CParamDialog::BaseUnitsOf(const QFontMetrics& metrics)
{
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((letters / 26 + 1) / 2, metrics.height());
}

QRect CParamDialog::DialogUnitsToPixels(const QRect& dialogUnits, QSize baseUnits)
{
    const int left = MulDiv(dialogUnits.x(), baseUnits.width(), 4);
    const int top = MulDiv(dialogUnits.y(), baseUnits.height(), 8);
    const int right = MulDiv(dialogUnits.x() + dialogUnits.width(), baseUnits.width(), 4);
    const int bottom = MulDiv(dialogUnits.y() + dialogUnits.height(), baseUnits.height(), 8);
    return QRect(left, top, right - left, bottom - top);
}

void CParamDialog::Place(QWidget* control, int x, int y, int width, int height,
    const QStringList& widestTexts)
{
    QRect r = DialogUnitsToPixels(QRect(x, y, width, height), m_baseUnits);
    const QFontMetrics metrics = control->fontMetrics();

    int needWidth = 0;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        const int extra = 2 * (label->margin() + label->frameWidth());
        needWidth = metrics.horizontalAdvance(label->text()) + extra;
        for (const QString& text : widestTexts)
            needWidth = std::max(needWidth, metrics.horizontalAdvance(text) + extra);
        r.setHeight(std::max(r.height(), metrics.height() + extra));
    } else {
        needWidth = control->minimumSizeHint().width();
        r.setHeight(std::max(r.height(), control->minimumSizeHint().height()));
    }
    if (qobject_cast<QComboBox*>(control) || qobject_cast<QLineEdit*>(control)) {
        // The closed box of a drop-down list is as tall as its font needs,
        // whatever height the template gives.
        r.setHeight(std::max(r.height(), control->sizeHint().height()));
    }
    r.setWidth(std::max(r.width(), needWidth));
    control->setGeometry(r);
}

QLabel* CParamDialog::AddLabel(const QString& text, int x, int y, int width, int height,
    const QStringList& widestTexts)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    Place(label, x, y, width, height, widestTexts);
    return label;
}

void CParamDialog::PlaceButtons(const QRect& okDialogUnits, const QRect& cancelDialogUnits)
{
    Place(m_buttonOK, okDialogUnits.x(), okDialogUnits.y(), okDialogUnits.width(),
        okDialogUnits.height());
    Place(m_buttonCancel, cancelDialogUnits.x(), cancelDialogUnits.y(),
        cancelDialogUnits.width(), cancelDialogUnits.height());
}

void CParamDialog::SetTabOrder(std::initializer_list<QWidget*> controls)
{
    m_tabOrder = QList<QWidget*>(controls);
    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

void CParamDialog::FinishLayout()
{
    const QRect client = DialogUnitsToPixels(QRect(QPoint(0, 0), m_sizeInDialogUnits), m_baseUnits);
    QRect used;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            used |= child->geometry();
    }
    // Keep the template's right and bottom margin around anything that grew.
    const QRect margin = DialogUnitsToPixels(QRect(0, 0, 7, 7), m_baseUnits);
    const int width = std::max(client.width(), used.right() + 1 + margin.width());
    const int height = std::max(client.height(), used.bottom() + 1 + margin.height());
    setFixedSize(width, height);
}
