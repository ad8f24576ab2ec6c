// The settings file reader from raw bytes.
//
// Checked on every input: the values are stored in file order and a load that
// stops leaves the values after the stop untouched; nothing the file does not
// hold (camera, drawing colour, palette, ...) changes; the light position
// always indexes the eight light directions; the status agrees with the count.
#include "settings/SettingsFile.h"

#include "tests/fuzz/FuzzCheck.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <variant>

namespace {

using Field = std::variant<std::int32_t CViewState::*, COLORREF CViewState::*, double CViewState::*>;

// The file's values in file order.
const Field kFileFields[kSettingsValueCount] = {
    &CViewState::m_showControl, &CViewState::m_controlPos,    &CViewState::m_showColor,
    &CViewState::m_colorPos,    &CViewState::m_showAxis,      &CViewState::m_axisLineWidth,
    &CViewState::m_backColor,   &CViewState::m_showSight,     &CViewState::m_sightColor,
    &CViewState::m_sightLineWidth, &CViewState::m_showGround, &CViewState::m_groundColor,
    &CViewState::m_showFrame,   &CViewState::m_frameColor,    &CViewState::m_frameLineWidth,
    &CViewState::m_showCanvas,  &CViewState::m_canvasColor,   &CViewState::m_canvasLineWidth,
    &CViewState::m_wireFrame,   &CViewState::m_lightEnable,   &CViewState::m_lightPos,
};

// Fields the file never touches.
const Field kOtherFields[] = {
    &CViewState::m_rotX,       &CViewState::m_rotY,       &CViewState::m_rotZ,
    &CViewState::m_lookX,      &CViewState::m_scale,      &CViewState::m_ratioX,
    &CViewState::m_drawMode,   &CViewState::m_canvasAxis, &CViewState::m_canvasPos,
    &CViewState::m_copyLayer,  &CViewState::m_cubeColor,  &CViewState::m_cubeLineWidth,
    &CViewState::m_showButtons,
};

// Bitwise, so that a NaN read from the file compares equal to itself.
bool Same(const CViewState& a, const CViewState& b, const Field& field)
{
    return std::visit(
        [&](auto member) { return std::memcmp(&(a.*member), &(b.*member), sizeof(a.*member)) == 0; },
        field);
}

// A view whose file fields hold values no file is likely to give, so that a
// value stored out of turn shows.
CViewState MarkedView()
{
    CViewState view;
    for (const Field& field : kFileFields)
        std::visit([&](auto member) { view.*member = std::remove_reference_t<decltype(view.*member)>(0x5A5A5A5A); }, field);
    view.m_lightPos = 5;
    view.m_palette = {RGB(1, 2, 3), RGB(4, 5, 6)};
    return view;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CViewState before = MarkedView();
    CViewState view = before;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SettingsLoadResult result = LoadSettingsFromBytes(view, bytes);

    FUZZ_CHECK(result.valuesStored >= 0 && result.valuesStored <= kSettingsValueCount);
    FUZZ_CHECK((result.status == SettingsLoadStatus::Complete) ==
               (result.valuesStored == kSettingsValueCount));
    FUZZ_CHECK(result.status != SettingsLoadStatus::NotLoaded || result.valuesStored == 0);
    for (int i = result.valuesStored; i < kSettingsValueCount; ++i)
        FUZZ_CHECK(Same(view, before, kFileFields[i]));
    for (const Field& field : kOtherFields)
        FUZZ_CHECK(Same(view, before, field));
    FUZZ_CHECK(view.m_palette == before.m_palette);
    FUZZ_CHECK(view.m_lightPos >= 0 && view.m_lightPos < 8);
    return 0;
}
