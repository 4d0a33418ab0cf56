#include "ui/xdg_help_shell.h"

#include <QProcess>
#include <QProcessEnvironment>

#include "app/help_page.h"

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
  QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(page)});
}

}  // namespace calpero
