#include "controls/CommandRegistry.h"

#include <QCoreApplication>

#include <array>
#include <vector>

namespace CommandRegistry {

namespace {

struct Index {
    std::vector<const CommandRow*> all;
    std::array<const CommandRow*, kCommandIdCount> byId{};

    Index()
    {
        for (auto rows : {ViewRows(), ToolRows(), SelectionRows(), WindowRows()})
            for (const CommandRow& row : rows) {
                all.push_back(&row);
                // A second row for an id is a mistake the registry test reports.
                if (!byId[std::size_t(row.id)])
                    byId[std::size_t(row.id)] = &row;
            }
    }
};

const Index& TheIndex()
{
    static const Index index;
    return index;
}

} // namespace

std::span<const CommandRow* const> All()
{
    return TheIndex().all;
}

const CommandRow& Row(CommandId id)
{
    return *TheIndex().byId[std::size_t(id)];
}

QString Name(CommandId id)
{
    const char* name = Row(id).name;
    return name ? QString::fromLatin1(name) : QString();
}

std::optional<CommandId> Find(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    for (const CommandRow* row : All())
        if (row->name && name == QLatin1String(row->name))
            return row->id;
    return std::nullopt;
}

QString Label(const CommandRow& row)
{
    return row.label ? QCoreApplication::translate("Commands", row.label) : QString();
}

} // namespace CommandRegistry
