#pragma once

#include "dialogs/CParamDialog.h"

class QComboBox;

// The cube ratio dialog: the drawn edge length of a cube along X, Y and Z as a
// percentage from 100% down to 10%. It always opens at 100% on every axis.
class CCubeRateDlg : public CParamDialog {
    Q_OBJECT
public:
    explicit CCubeRateDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override;

    // 1.0 = 100%; meaningful only after IDOK. They start at 1.0 so that a
    // caller who reads them anyway reads the neutral ratio, not garbage.
    double m_rateX = 1.0;
    double m_rateY = 1.0;
    double m_rateZ = 1.0;

    QComboBox* m_comboX = nullptr;
    QComboBox* m_comboY = nullptr;
    QComboBox* m_comboZ = nullptr;
};
