// The stand-in CAD program.
//   cadhost [--open DRAWING] [--load PLUGIN]... [--run COMMAND]... [--script FILE] [--screenshot IMAGE]
// opens the drawing, loads the plug-ins, then runs the commands and the script's
// lines as if typed on the command line; with --screenshot it saves the window
// as it stands after the script and ends.

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "CadHostWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("cadhost"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Stand-in CAD host for plug-ins."));
  parser.addHelpOption();
  const QCommandLineOption load(QStringLiteral("load"), QStringLiteral("Load the plug-in at <path>."),
                                QStringLiteral("path"));
  const QCommandLineOption run(QStringLiteral("run"), QStringLiteral("Run <command> after start-up."),
                               QStringLiteral("command"));
  const QCommandLineOption open(QStringLiteral("open"), QStringLiteral("Open the DXF drawing at <path>."),
                                QStringLiteral("path"));
  const QCommandLineOption script(QStringLiteral("script"),
                                  QStringLiteral("Type the lines of <file> on the command line (\"^C\" is Escape)."),
                                  QStringLiteral("file"));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Save the window to <image> after the script, then end."),
                                      QStringLiteral("image"));
  parser.addOption(load);
  parser.addOption(run);
  parser.addOption(open);
  parser.addOption(script);
  parser.addOption(screenshot);
  parser.process(app);

  QStringList scriptLines;
  if (parser.isSet(script)) {
    QFile file(parser.value(script));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
      std::fprintf(stderr, "cadhost: cannot read %s\n", qPrintable(parser.value(script)));
      return 2;
    }
    QTextStream lines(&file);
    while (!lines.atEnd()) scriptLines << lines.readLine();
  }
  const QString drawing = parser.value(open);
  const QString image = parser.value(screenshot);

  cadhost::CadHostWindow window;
  window.show();
  const QStringList plugins = parser.values(load);
  const QStringList commands = parser.values(run);
  QTimer::singleShot(0, &window, [&window, plugins, commands, drawing, scriptLines, image] {
    if (!drawing.isEmpty()) window.RunCommandLine(QStringLiteral("OPEN ") + drawing);
    for (const QString& path : plugins) window.LoadPlugin(path);
    for (const QString& command : commands) window.RunCommandLine(command);
    window.RunScript(scriptLines, !image.isEmpty());
    if (image.isEmpty()) return;
    if (!window.grab().save(image)) std::fprintf(stderr, "cadhost: cannot save %s\n", qPrintable(image));
    QApplication::exit(0);
  });
  return app.exec();
}
