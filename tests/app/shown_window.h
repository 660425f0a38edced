// The window that the dialog and message tests start each test from: a fake prompter, the main
// window with its save-mode dialog (which the window parents), shown on screen.
#pragma once

#include <QTest>
#include <memory>

#include "fake_prompter.h"
#include "unit1.h"
#include "unit2.h"

namespace app_test {

// Creates and shows the window; false when it never became visible.
inline bool ShowWindow(std::unique_ptr<FakePrompter>& prompter, std::unique_ptr<TForm1>& form,
                       TForm2*& form2) {
  prompter = std::make_unique<FakePrompter>();
  form = std::make_unique<TForm1>(prompter.get());
  form2 = new TForm2(&form->session(), prompter.get(), form.get());
  form->SetSaveModeDialog(form2);
  form->show();
  return QTest::qWaitForWindowExposed(form.get());
}

}  // namespace app_test
