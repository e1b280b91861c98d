// The stand-in CAD program.
//   cadhost [--load PLUGIN]... [--run COMMAND]...
// loads the plug-ins, then runs the commands as if typed on the command line.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

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
  parser.addOption(load);
  parser.addOption(run);
  parser.process(app);

  cadhost::CadHostWindow window;
  window.show();
  const QStringList plugins = parser.values(load);
  const QStringList commands = parser.values(run);
  QTimer::singleShot(0, &window, [&window, plugins, commands] {
    for (const QString& path : plugins) window.LoadPlugin(path);
    for (const QString& command : commands) window.RunCommandLine(command);
  });
  return app.exec();
}
