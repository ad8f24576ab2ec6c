#pragma once

#include "commandline/CommandLine.h"
#include "model/CubeTypes.h"

#include <QString>
#include <functional>
#include <span>

// The converter behind the command line: reads each input (.mvf or .vox),
// writes it in the job's format, and never leaves a partial output file: a
// file that fails is absent, or the one that was there is kept as it was.
namespace BatchConvert {

struct Outcome {
    bool ok = false;
    QString file;    // the file the reason is about (input or output)
    QString reason;  // one line
    QString notice;  // something to know although it worked (colours reduced)
};

// One conversion, the operations applied to the model first. imageSize is
// the picture size for png, jpg and bmp; a thumbnail job has its own. With a
// palette every cube then takes its nearest colour. A job whose format is a
// palette writes the model's colours.
Outcome Convert(const CommandLine::ConvertJob& job, const QSize& imageSize,
                const std::vector<ModelOperations::Operation>& operations = {},
                std::span<const COLORREF> palette = {});

// Runs every job of the request in order, going on past a failed one. Each
// failure is one line "FILE: reason" through report; notices go there too,
// as "FILE: note". Returns the process's exit code.
int Run(const CommandLine::Request& request, const std::function<void(const QString&)>& report);

// --info: for each job's input, with the operations applied, one line or
// one object of the JSON array through print; failures through report.
int Info(const CommandLine::Request& request, const std::function<void(const QString&)>& report,
         const std::function<void(const QString&)>& print);

// The whole converter process for arguments that IsToolRun() accepted: help,
// version, the conversions. argc and argv go to the Qt application object
// it creates. Returns the exit code.
int RunTool(int& argc, char** argv, const QStringList& arguments);

} // namespace BatchConvert
