#pragma once

#include "view/ViewState.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// The 21 fields the settings file keeps, compared one by one so that a
// failure names the field.
inline void ExpectSameSavedFields(const CViewState& a, const CViewState& b)
{
    EXPECT_EQ(a.m_showControl, b.m_showControl);
    EXPECT_EQ(a.m_controlPos, b.m_controlPos);
    EXPECT_EQ(a.m_showColor, b.m_showColor);
    EXPECT_EQ(a.m_colorPos, b.m_colorPos);
    EXPECT_EQ(a.m_showAxis, b.m_showAxis);
    EXPECT_EQ(a.m_axisLineWidth, b.m_axisLineWidth);
    EXPECT_EQ(a.m_backColor, b.m_backColor);
    EXPECT_EQ(a.m_showSight, b.m_showSight);
    EXPECT_EQ(a.m_sightColor, b.m_sightColor);
    EXPECT_EQ(a.m_sightLineWidth, b.m_sightLineWidth);
    EXPECT_EQ(a.m_showGround, b.m_showGround);
    EXPECT_EQ(a.m_groundColor, b.m_groundColor);
    EXPECT_EQ(a.m_showFrame, b.m_showFrame);
    EXPECT_EQ(a.m_frameColor, b.m_frameColor);
    EXPECT_EQ(a.m_frameLineWidth, b.m_frameLineWidth);
    EXPECT_EQ(a.m_showCanvas, b.m_showCanvas);
    EXPECT_EQ(a.m_canvasColor, b.m_canvasColor);
    EXPECT_EQ(a.m_canvasLineWidth, b.m_canvasLineWidth);
    EXPECT_EQ(a.m_wireFrame, b.m_wireFrame);
    EXPECT_EQ(a.m_lightEnable, b.m_lightEnable);
    EXPECT_EQ(a.m_lightPos, b.m_lightPos);
}

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
