#include "ui/xdg_help_shell.h"

#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include "ui/wayland_desktop.h"
#include "window/help_page.h"

namespace calpero {
namespace {

// How long the look-up may take before it counts as failed.
constexpr int kXdgMimeTimeoutMs = 5000;

THtmlAssociation AskDesktop() {
  THtmlAssociation association;
  association.BrowserVariable =
      QProcessEnvironment::systemEnvironment().value(QStringLiteral("BROWSER")).toStdString();
  QProcess query;
  query.start(QStringLiteral("xdg-mime"),
              {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
  if (!query.waitForFinished(kXdgMimeTimeoutMs) || query.exitStatus() != QProcess::NormalExit) {
    query.kill();
    query.waitForFinished();
    return association;
  }
  association.XdgMimeAvailable = true;
  association.XdgMimeDefault = query.readAllStandardOutput().toStdString();
  return association;
}

}  // namespace

bool TXdgHelpShell::FindBrowser(const std::string& page) {
  return IsHelpPagePresent(page) && HasHtmlAssociation(AskDesktop());
}

void TXdgHelpShell::Launch(const std::string& page) {
  QProcess opener;
  opener.setProgram(QStringLiteral("xdg-open"));
  opener.setArguments({QString::fromStdString(page)});
  // A token that Calpero's own start received was spent on Calpero's window; the opener gets a
  // fresh one of its own, where the compositor hands one out, or none.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
  environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
  const QString token = RequestActivationToken(QGuiApplication::focusWindow());
  if (!token.isEmpty()) {
    environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), token);
  }
  opener.setProcessEnvironment(environment);
  opener.startDetached();
}

}  // namespace calpero
