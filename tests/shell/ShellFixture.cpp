#include "ShellFixture.h"

#include "shell/Forms.h"

namespace vsp::test {

void ShellTest::ShowFormAndPump(int formId) {
    ShowForm(state, formId);
    Pump();
}

}  // namespace vsp::test
