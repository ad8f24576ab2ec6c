#include "dialogs/CCubeSizeDlg.h"

#include "dialogs/CDigitsValidator.h"
#include "dialogs/IntText.h"
#include "model/CMiravelDoc.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace {

constexpr int kPresetEdges[] = {8, 16, 24, 32};

// The product of three 32-bit sides needs up to 94 bits; 128-bit arithmetic
// shows it exactly instead of a wrapped-around 32-bit value that could look
// valid (4096 x 1048577 x 1 would otherwise read 4096).
QString FormatProduct(__int128 value)
{
    const bool negative = value < 0;
    unsigned __int128 magnitude = negative ? -static_cast<unsigned __int128>(value)
                                           : static_cast<unsigned __int128>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits.insert(digits.begin(), '-');
    return QString::fromStdString(digits);
}

} // namespace

CCubeSizeDlg::CCubeSizeDlg(QWidget* parent)
    : CParamDialog(QCoreApplication::translate("CCubeSizeDlg", "キューブ　サイズ"), QSize(273, 88), parent)
{
    m_comboPreset = new QComboBox(this);
    Place(m_comboPreset, 14, 7, 252, 12);

    AddLabel(QStringLiteral("X"), 18, 31, 8, 8);
    m_editX = AddSizeEdit(28, 30, 38, 12);
    AddLabel(QStringLiteral("Y"), 75, 31, 8, 8);
    m_editY = AddSizeEdit(84, 30, 38, 12);
    AddLabel(QStringLiteral("Z"), 130, 31, 8, 8);
    m_editZ = AddSizeEdit(139, 30, 38, 12);
    AddLabel(QCoreApplication::translate("CCubeSizeDlg", "合計"), 188, 31, 17, 8);
    m_editTotal = new QLineEdit(this);
    m_editTotal->setReadOnly(true);
    Place(m_editTotal, 209, 30, 57, 12);

    m_staticMessage = AddLabel(QString(), 19, 50, 247, 12, {RangeMessage()});
    PlaceButtons(QRect(147, 67, 50, 14), QRect(216, 67, 50, 14));
    SetTabOrder({m_buttonOK, m_buttonCancel, m_comboPreset, m_editX, m_editY, m_editZ, m_editTotal});
    FinishLayout();

    for (QLineEdit* edit : {m_editX, m_editY, m_editZ})
        connect(edit, &QLineEdit::textChanged, this, &CCubeSizeDlg::OnUpdateEditSize);
    connect(m_editTotal, &QLineEdit::textChanged, this, &CCubeSizeDlg::OnChangeEditTotal);
    // Only a choice by the user copies a preset, not filling the list.
    connect(m_comboPreset, &QComboBox::activated, this, &CCubeSizeDlg::OnSelchangePreset);
}

QLineEdit* CCubeSizeDlg::AddSizeEdit(int x, int y, int width, int height)
{
    auto* edit = new QLineEdit(this);
    edit->setValidator(new CDigitsValidator(edit));
    Place(edit, x, y, width, height);
    return edit;
}

QString CCubeSizeDlg::RangeMessage()
{
    return QCoreApplication::translate("CCubeSizeDlg", "キューブの合計を 1～%1 の間に設定して下さい").arg(GridLimits::kSizeDialogCells);
}

bool CCubeSizeDlg::OnInitDialog()
{
    m_comboPreset->clear();
    for (int edge : kPresetEdges)
        m_comboPreset->addItem(QStringLiteral(u"%1\u00D7%1\u00D7%1").arg(edge), edge);
    m_comboPreset->setCurrentIndex(-1);

    m_editX->setText(QString::number(m_sizeX));
    m_editY->setText(QString::number(m_sizeY));
    m_editZ->setText(QString::number(m_sizeZ));
    // Writing the total validates it, so OK and the message line are right from
    // the first paint. (The button state follows the texts alone, so an edit
    // that keeps its text from an earlier showing needs no new check.)
    m_editTotal->setText(FormatProduct(__int128(m_sizeZ) * m_sizeY * m_sizeX));
    return true;
}

void CCubeSizeDlg::OnUpdateEditSize()
{
    const __int128 product = __int128(TextToInt(m_editX->text())) * TextToInt(m_editY->text())
        * TextToInt(m_editZ->text());
    m_editTotal->setText(FormatProduct(product));
}

bool CCubeSizeDlg::IsInputValid() const
{
    // A side below 1 is refused even when the product is in range (two
    // negative sides): the grid cannot have it.
    const std::int32_t total = TextToInt(m_editTotal->text());
    return total >= 1 && total <= GridLimits::kSizeDialogCells
        && CMiravelDoc::IsValidGridSize(TextToInt(m_editX->text()), TextToInt(m_editY->text()),
            TextToInt(m_editZ->text()));
}

void CCubeSizeDlg::OnChangeEditTotal()
{
    const bool valid = IsInputValid();
    m_buttonOK->setEnabled(valid);
    m_staticMessage->setText(valid ? QString() : RangeMessage());
}

void CCubeSizeDlg::OnSelchangePreset()
{
    const int index = m_comboPreset->currentIndex();
    if (index < 0)
        return;
    const int edge = m_comboPreset->itemData(index).toInt();
    const QString text = QString::number(edge);
    m_editX->setText(text);
    m_editY->setText(text);
    m_editZ->setText(text);
    m_editTotal->setText(QString::number(edge * edge * edge));
}

void CCubeSizeDlg::OnOK()
{
    // The enabled OK button already stands for valid input; checking again
    // keeps an invalid size from ever reaching the grid through a direct call.
    if (!IsInputValid())
        return;
    m_sizeX = TextToInt(m_editX->text());
    m_sizeY = TextToInt(m_editY->text());
    m_sizeZ = TextToInt(m_editZ->text());
    CParamDialog::OnOK();
}
