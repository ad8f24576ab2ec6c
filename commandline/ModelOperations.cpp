#include "commandline/ModelOperations.h"

#include "commandline/ConvertTexts.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"

#include <QRegularExpression>

namespace ModelOperations {

namespace {

// count signed whole numbers separated by commas; nine digits at most, so
// no sum with a grid coordinate leaves the 32-bit range.
bool ParseNumbers(const QString& text, int count, std::array<int, 6>& values)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d{1,9}$"));
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!number.match(parts[i]).hasMatch())
            return false;
        values[std::size_t(i)] = parts[i].toInt();
    }
    return true;
}

QString Grid(const CMiravelDoc& doc)
{
    return QStringLiteral("%1×%2×%3").arg(doc.m_sizeX).arg(doc.m_sizeY).arg(doc.m_sizeZ);
}

} // namespace

std::optional<Operation> Parse(const QString& option, const QString& value, QString& error)
{
    using Kind = Operation::Kind;
    Operation op;
    if (option == QLatin1String("fit")) {
        op.kind = Kind::Fit;
    } else if (option == QLatin1String("turn")) {
        if (value != QLatin1String("left") && value != QLatin1String("right")) {
            error = QStringLiteral("--turn takes left or right, not \"%1\"").arg(value);
            return std::nullopt;
        }
        op.kind = value == QLatin1String("left") ? Kind::TurnLeft : Kind::TurnRight;
    } else if (option == QLatin1String("flip")) {
        if (value != QLatin1String("x") && value != QLatin1String("z")) {
            error = QStringLiteral("--flip takes x or z, not \"%1\"").arg(value);
            return std::nullopt;
        }
        op.kind = value == QLatin1String("x") ? Kind::FlipX : Kind::FlipZ;
    } else if (option == QLatin1String("move") || option == QLatin1String("resize")) {
        op.kind = option == QLatin1String("move") ? Kind::Move : Kind::Resize;
        if (!ParseNumbers(value, 3, op.values)) {
            error = QStringLiteral("--%1 takes X,Y,Z, three whole numbers%2, not \"%3\"")
                        .arg(option, op.kind == Kind::Move ? QStringLiteral(" (negative ones too)") : QString(), value);
            return std::nullopt;
        }
    } else if (option == QLatin1String("crop")) {
        op.kind = Kind::Crop;
        if (!ParseNumbers(value, 6, op.values)) {
            error = QStringLiteral("--crop takes X0,Y0,Z0,X1,Y1,Z1, the corner cells it keeps, not \"%1\"").arg(value);
            return std::nullopt;
        }
    } else {
        error = QStringLiteral("--%1 is not an operation").arg(option);
        return std::nullopt;
    }
    return op;
}

QString Apply(const Operation& operation, CMiravelDoc& doc)
{
    using Kind = Operation::Kind;
    const auto& v = operation.values;
    switch (operation.kind) {
    case Kind::Fit:
        ModelTools::Apply(doc, ModelTools::FitGrid(doc));
        return {};
    case Kind::TurnLeft:
    case Kind::TurnRight:
        ModelTools::Apply(doc, ModelTools::Turn(doc, operation.kind == Kind::TurnRight));
        return {};
    case Kind::FlipX:
    case Kind::FlipZ:
        ModelTools::Apply(doc, ModelTools::Flip(doc, operation.kind == Kind::FlipX ? 0 : 2));
        return {};
    case Kind::Move:
        if (const auto edit = ModelTools::Move(doc, v[0], v[1], v[2])) {
            ModelTools::Apply(doc, *edit);
            return {};
        }
        return ConvertTexts::MoveLeavesGrid(v[0], v[1], v[2], Grid(doc));
    case Kind::Crop:
        if (const auto edit = ModelTools::Crop(doc, {v[0], v[1], v[2]}, {v[3], v[4], v[5]})) {
            ModelTools::Apply(doc, *edit);
            return {};
        }
        return ConvertTexts::CropOutsideGrid(QStringLiteral("%1,%2,%3").arg(v[0]).arg(v[1]).arg(v[2]),
                                             QStringLiteral("%1,%2,%3").arg(v[3]).arg(v[4]).arg(v[5]), Grid(doc));
    case Kind::Resize: {
        if (!CMiravelDoc::IsValidGridSize(v[0], v[1], v[2]))
            return ConvertTexts::GridSizeRefused(v[0], v[1], v[2]);
        // The size dialog only hides the cubes a smaller grid leaves out; a
        // written file would lose them, so that takes an explicit --crop.
        std::int64_t outside = 0;
        doc.m_cubes.ForEachCubeIn({0, 0, 0}, {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}, [&](const CUBEPOS& pos, COLORREF) {
            if (pos.x >= v[0] || pos.y >= v[1] || pos.z >= v[2])
                ++outside;
        });
        if (outside > 0)
            return ConvertTexts::ResizeLeavesCubes(v[0], v[1], v[2], outside);
        ModelTools::Edit edit;
        edit.size = GridSize{v[0], v[1], v[2]};
        ModelTools::Apply(doc, edit);
        return {};
    }
    }
    return {};
}

} // namespace ModelOperations
