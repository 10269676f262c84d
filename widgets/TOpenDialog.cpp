// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TOpenDialog.h"

#include <QDir>

#include "QtEncoding.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#include <emscripten/bind.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <utility>
#include <vector>
#else
#include <QFileDialog>
#endif

TOpenDialog::Runner TOpenDialog::Modal(ModalRunner dialog) {
  return [dialog = std::move(dialog)](const TOpenDialog& settings, const Answer& answer) {
    answer(dialog(settings));
  };
}

void TOpenDialog::Execute(std::function<void(bool chosen)> done) {
  FRunner(*this, [this, done = std::move(done)](std::optional<std::string> chosen) {
    if (chosen) FileName = std::move(*chosen);
    done(chosen.has_value());
  });
}

QString TOpenDialog::StartFolder() const {
  QString folder = kwindel::DecodeName(InitialDir);
  if (folder.isEmpty() || !QDir(folder).exists()) return QDir::homePath();
  return QDir::cleanPath(folder);
}

#ifdef __EMSCRIPTEN__

namespace {

// The answer the browser's picker still owes; one picker is open at a time.
TOpenDialog::Answer& PendingAnswer() {
  static TOpenDialog::Answer answer;
  return answer;
}

void GiveAnswer(std::optional<std::string> chosen) {
  TOpenDialog::Answer answer = std::exchange(PendingAnswer(), nullptr);
  if (answer) answer(std::move(chosen));
}

// The picked file's bytes are written under its bare name into the page's own file system, where
// the list is read as on a desktop. A file that could not be written whole is not read half, and
// one the browser could not read (gone since it was picked: bytes is null) leaves no copy of an
// earlier pick under its name: the reading then fails with the usual message.
void FilePicked(const std::string& name, const emscripten::val& bytes) {
  QFile file(QString::fromStdString(name));
  if (bytes.isNull()) {
    file.remove();
  } else {
    const std::vector<unsigned char> content =
        emscripten::convertJSArrayToNumberVector<unsigned char>(bytes);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(content.data()),
                   static_cast<qint64>(content.size())) != static_cast<qint64>(content.size()) ||
        !file.flush()) {
      file.remove();
    }
  }
  GiveAnswer(kwindel::EncodeName(QString::fromStdString(name)));
}

void PickCancelled() {
  GiveAnswer(std::nullopt);
}

EMSCRIPTEN_BINDINGS(kwindel_file_picker) {
  emscripten::function("kwindelFilePicked", &FilePicked);
  emscripten::function("kwindelPickCancelled", &PickCancelled);
}

// A file input of the page's own: unlike the picker Qt falls back to where a browser has no
// file system picker (Firefox, Safari), it hears a cancel too. It must be clicked while the
// teacher's click is being handled, which it is: the dialog runs from the button's click. Its
// body is JavaScript, which clang-format would break.
// clang-format off
EM_JS(void, ShowFilePicker, (const char* accept), {
  const input = document.createElement('input');
  input.type = 'file';
  // iPadOS and iOS (whose Safari says it runs on a Mac, but a Mac has no touch screen) grey out
  // every file whose extension they do not know as a type: there the list rules read any file.
  if (!(/^(Mac|iPhone|iPad|iPod)/.test(navigator.platform) && navigator.maxTouchPoints > 1))
    input.accept = UTF8ToString(accept);
  input.hidden = true;
  document.body.append(input);
  const answer = async () => {
    input.remove();
    const file = input.files && input.files[0];
    if (!file) {
      Module.kwindelPickCancelled();
      return;
    }
    let bytes = null;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (gone) {
      // Taken away after it was picked, as a USB stick pulled out.
    }
    Module.kwindelFilePicked(file.name, bytes);
  };
  input.addEventListener('change', answer, {once: true});
  input.addEventListener('cancel', answer, {once: true});
  input.click();
});
// clang-format on

// The extensions of a filter such as "Leerlingenlijst (*.lll)", as a file input accepts them.
std::string AcceptedExtensions(const QString& filter) {
  QStringList extensions;
  static const QRegularExpression pattern(QStringLiteral("\\*(\\.[^ );]+)"));
  for (const QRegularExpressionMatch& match : pattern.globalMatch(filter))
    extensions << match.captured(1);
  return extensions.join(QLatin1Char(',')).toStdString();
}

}  // namespace

void TOpenDialog::RunFileDialog(const TOpenDialog& dialog, Answer answer) {
  // A picker the browser never answered (one without a cancel event) gives way to the new one.
  PendingAnswer() = std::move(answer);
  ShowFilePicker(AcceptedExtensions(dialog.Filter).c_str());
}

#else

void TOpenDialog::RunFileDialog(const TOpenDialog& dialog, Answer answer) {
  QFileDialog box(nullptr, dialog.Title, dialog.StartFolder(), dialog.Filter);
  box.setAcceptMode(QFileDialog::AcceptOpen);
  box.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
  box.setDefaultSuffix(dialog.DefaultExt);
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
    answer(std::nullopt);
    return;
  }
  answer(kwindel::EncodeName(box.selectedFiles().first()));
}

#endif
