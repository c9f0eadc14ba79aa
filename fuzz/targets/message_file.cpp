// A message file: the input's first byte is the message number asked for,
// the rest is the text of "pelaro_a.msg".
#include "core/fake_ui.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/scratch.h"
#include "modeldb/message_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const int number = in.byte();
    fuzz::placeFile("PELARO/MSG/pelaro_a.msg", in.rest());
    core::FakeUi ui;
    for (int n : {number, 0, 255}) {
        const std::string text = modeldb::messageText(fuzz::scratchFolder(), 0, n, ui);
        if (!text.empty() && text[0] != '$') __builtin_trap();
    }
    if (!ui.messages().empty()) __builtin_trap();  // the file is there: no open error
    return 0;
}
