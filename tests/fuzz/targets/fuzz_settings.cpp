// The settings file reader from raw bytes.
//
// Checked on every input: the values are stored in file order and a load that
// stops leaves the values after the stop untouched; the light position
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

using P = CViewPreferences;
using Field = std::variant<std::int32_t P::*, COLORREF P::*, double P::*, ControlColumn P::*, PaletteCorner P::*,
                           CubeStyle P::*>;

// The file's values in file order. The reader is handed the preferences
// alone, so nothing else (camera, drawing colour, palette) is within its reach.
const Field kFileFields[kSettingsValueCount] = {
    &P::m_showControl, &P::m_controlPos,    &P::m_showColor,
    &P::m_colorPos,    &P::m_showAxis,      &P::m_axisLineWidth,
    &P::m_backColor,   &P::m_showSight,     &P::m_sightColor,
    &P::m_sightLineWidth, &P::m_showGround, &P::m_groundColor,
    &P::m_showFrame,   &P::m_frameColor,    &P::m_frameLineWidth,
    &P::m_showCanvas,  &P::m_canvasColor,   &P::m_canvasLineWidth,
    &P::m_wireFrame,   &P::m_lightEnable,   &P::m_lightPos,
};

// Bitwise, so that a NaN read from the file compares equal to itself.
bool Same(const P& a, const P& b, const Field& field)
{
    return std::visit(
        [&](auto member) { return std::memcmp(&(a.*member), &(b.*member), sizeof(a.*member)) == 0; },
        field);
}

// A view whose file fields hold values no file is likely to give, so that a
// value stored out of turn shows.
P MarkedView()
{
    P view;
    for (const Field& field : kFileFields)
        std::visit([&](auto member) { view.*member = std::remove_reference_t<decltype(view.*member)>(0x5A5A5A5A); }, field);
    view.m_lightPos = 5;
    return view;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const P before = MarkedView();
    P view = before;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SettingsLoadResult result = LoadSettingsFromBytes(view, bytes);

    FUZZ_CHECK(result.valuesStored >= 0 && result.valuesStored <= kSettingsValueCount);
    FUZZ_CHECK((result.status == SettingsLoadStatus::Complete) ==
               (result.valuesStored == kSettingsValueCount));
    FUZZ_CHECK(result.status != SettingsLoadStatus::NotLoaded || result.valuesStored == 0);
    for (int i = result.valuesStored; i < kSettingsValueCount; ++i)
        FUZZ_CHECK(Same(view, before, kFileFields[i]));
    FUZZ_CHECK(view.m_lightPos >= 0 && view.m_lightPos < 8);
    return 0;
}
