// Starts one of the built programs and collects its exit code and output.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace orlane::test {

struct ProgramRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

inline ProgramRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input = {},
                             int timeoutMs = 30000) {
  QProcess process;
  process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
  process.start(program, args);
  ProgramRun run;
  if (!process.waitForStarted(timeoutMs)) return run;
  if (!input.isEmpty()) process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

}  // namespace orlane::test
