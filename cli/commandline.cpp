#include "cli/commandline.h"

#include "cli/argumentnames.h"
#include "cli/commandoutput.h"
#include "cli/createcommand.h"
#include "cli/resolvecommand.h"
#include "cli/videocommand.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString CreateCommand = QStringLiteral("create");
const QString ResolveCommand = QStringLiteral("resolve");
const QString VideoCommand = QStringLiteral("video");
const QString EndOfOptions = QStringLiteral("--");

// The options Qt's application object takes for the window (as "-name" or "--name", a
// value after "=" or as the next argument); the window path leaves them to it.
const QStringList QtWindowOptions = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "reverse", "session", "style", "stylesheet",
    "widgetcount", "display", "geometry", "name", "title", "visual", "sync", "nograb",
    "dograb", "qmljsdebugger"};

const char Help[] = R"(Usage: lumorra [FILE...]
       lumorra create -o OUT.gif [--fps N | --delays FILE] [--loop forever|N]
                      [--place topleft|centre|fit] [--width W] [--height H]
                      [--no-sort] [--smaller] [--quality Q] [--max-size SIZE]
                      [--quiet] IMAGE...
       lumorra create -o OUT.gif --timing FILE [...]
       lumorra video CLIP -o OUT.gif [--start T] [--duration D] [--width W]
                     [--height H] [--fps N] [--quality Q] [--max-size SIZE]
                     [--quiet]
       lumorra resolve IN.gif [-o DIR] [--timing] [--quiet]

Lumorra makes animated GIFs from still images or video, and splits GIFs into frames.

With files, the window opens them: still images on the images page, in natural order
(file2 before file10); else the first GIF in Resolve GIF; else the first video on the
video page. When a Lumorra window is open already, it takes the files and comes to the
front.

Commands, which need no display:
  create   make a GIF of still images, byte for byte as the images page does
  video    make a GIF of a video clip, as the video page does
  resolve  write every frame of a GIF as a numbered PNG file (1.png, 2.png, ...)

Options:
  -h, --help     show this help; 'lumorra COMMAND --help' shows a command's own
  -v, --version  show the version

Put -- before file names that start with '-': lumorra -- -frame.png
)";

bool isWindowOption(QString argument)
{
    if (argument.startsWith(EndOfOptions))
        argument.remove(0, 1);
    return QtWindowOptions.contains(argument.mid(1).section(QLatin1Char('='), 0, 0));
}

} // namespace

bool runsAsCommand(const QStringList &arguments)
{
    if (arguments.size() > 1
        && QStringList({CreateCommand, VideoCommand, ResolveCommand}).contains(arguments.at(1)))
        return true;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == EndOfOptions)
            break;
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1
            && !isWindowOption(argument))
            return true;
    }
    return false;
}

int runCommand(int argc, char *argv[])
{
    QString lost;
    const QStringList arguments = commandArguments(argc, argv, &lost);
    if (!lost.isEmpty())
        return fail(QString(), QStringLiteral("cannot use %1: the name is not valid in this "
                                              "locale's encoding (under LC_ALL=C any name can "
                                              "be given)")
                                   .arg(lost));
    if (arguments.size() > 1 && arguments.at(1) == CreateCommand)
        return runCreateCommand(arguments.mid(1));
    if (arguments.size() > 1 && arguments.at(1) == ResolveCommand)
        return runResolveCommand(arguments.mid(1));
    if (arguments.size() > 1 && arguments.at(1) == VideoCommand)
        return runVideoCommand(arguments.mid(1));

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    parser.addOptions({help, version});
    if (!parser.parse(arguments))
        return failParse(QString(), parser, arguments);
    if (parser.isSet(version))
        printOut(QStringLiteral("Lumorra " LUMORRA_VERSION "\n"));
    else
        printOut(QString::fromUtf8(Help));
    return ExitSucceeded;
}

QStringList filesToOpen(const QStringList &arguments)
{
    QStringList files;
    bool endSeen = false;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == EndOfOptions && !endSeen)
            endSeen = true;
        else
            files << QFileInfo(argument).absoluteFilePath();
    }
    return files;
}
