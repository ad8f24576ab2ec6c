#pragma once

// Where the camera stands: degrees, grid units, zoom. Rotations are never
// wrapped. The ratios stretch each cube per axis; with the zoom they make the
// scale of the model transform.
struct CCameraState {
    double m_rotX = 25.0;
    double m_rotY = -45.0;
    double m_rotZ = 0.0;
    double m_lookX = 0.0, m_lookY = 0.0, m_lookZ = 0.0;
    double m_ratioX = 1.0, m_ratioY = 1.0, m_ratioZ = 1.0;
    double m_scale = 1.0;
};

// The client area the camera projects into, in logical pixels.
struct ViewSize {
    int width = 0;
    int height = 0;
};
