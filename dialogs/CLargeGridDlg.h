#pragma once

#include "dialogs/CParamDialog.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QSpinBox;

// The grid size dialog for grids beyond the size dialog's 64000 cells: X, Y
// and Z of 1 to 1024 each, the total shown as it is typed, and OK enabled
// only while the grid is one the model can have (at most 2^25 cells).
class CLargeGridDlg : public CParamDialog {
    Q_OBJECT
public:
    explicit CLargeGridDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override;

    // The text of the message line while the size is refused.
    static QString RangeMessage();

    std::int32_t m_sizeX = 0;
    std::int32_t m_sizeY = 0;
    std::int32_t m_sizeZ = 0;

    QSpinBox* m_spinX = nullptr;
    QSpinBox* m_spinY = nullptr;
    QSpinBox* m_spinZ = nullptr;
    QLineEdit* m_editTotal = nullptr;
    QLabel* m_staticMessage = nullptr;

private:
    QSpinBox* AddSideSpin(int x, int y, int width, int height);
    // Any side changed: the total, OK and the message line follow.
    void OnChangeSize();
    bool IsInputValid() const;
};
