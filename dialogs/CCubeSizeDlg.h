#pragma once

#include "dialogs/CParamDialog.h"

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;

// The grid size dialog: the number of cells along X, Y and Z, with presets for
// cubic grids and a read-only total. OK is enabled only while every side is at
// least 1 and the total number of cells is 1 to 64000.
class CCubeSizeDlg : public CParamDialog {
    Q_OBJECT
public:
    explicit CCubeSizeDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    // Any of X, Y, Z edited: recompute the total.
    void OnUpdateEditSize();
    // The total changed: enable or disable OK and set the message line.
    void OnChangeEditTotal();
    // A preset chosen: copy its edge length into X, Y and Z.
    void OnSelchangePreset();
    void OnOK() override;

    // The text of the message line while the size is refused.
    static QString RangeMessage();

    std::int32_t m_sizeX = 0;
    std::int32_t m_sizeY = 0;
    std::int32_t m_sizeZ = 0;

    QComboBox* m_comboPreset = nullptr;
    QLineEdit* m_editX = nullptr;
    QLineEdit* m_editY = nullptr;
    QLineEdit* m_editZ = nullptr;
    QLineEdit* m_editTotal = nullptr;
    QLabel* m_staticMessage = nullptr;

private:
    QLineEdit* AddSizeEdit(int x, int y, int width, int height);
    bool IsInputValid() const;
};
