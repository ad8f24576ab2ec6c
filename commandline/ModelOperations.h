#pragma once

#include <QString>

#include <array>
#include <optional>

class CMiravelDoc;

// What the command line does to a model before it is written: each
// operation is one of the editor's own model tools, applied to the document
// as the tool menu would, in the order the command line gives them.
namespace ModelOperations {

struct Operation {
    enum class Kind { Fit, TurnLeft, TurnRight, FlipX, FlipZ, Move, Crop, Resize };
    Kind kind = Kind::Fit;
    // Move and Resize: x, y, z; Crop: the corners x0, y0, z0, x1, y1, z1.
    std::array<int, 6> values{};

    friend bool operator==(const Operation&, const Operation&) = default;
};

// The operation an option asks for ("turn" with "left", "move" with
// "2,-1,0"...); none, with a one-line reason in error, for a value it does
// not take. option is the option's name without dashes; "fit" has no value.
std::optional<Operation> Parse(const QString& option, const QString& value, QString& error);

// Applies the operation to the document as one step of its history. Empty,
// or why it is refused (a move that would push a cube out of the grid, a
// crop outside it, a size the grid cannot have or one that would leave cubes
// outside); a refused operation changes nothing.
QString Apply(const Operation& operation, CMiravelDoc& doc);

} // namespace ModelOperations
