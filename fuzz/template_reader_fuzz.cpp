// Template file bytes: reading never faults, and a template that reads writes a file that reads again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "template/template_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plazor::Document doc;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!plazor::applyTemplate(doc, bytes).ok()) return 0;
    plazor::Document again;
    const plazor::Outcome<std::string> text = plazor::serialiseTemplate(doc);
    if (!text.ok() || !plazor::applyTemplate(again, *text).ok()) __builtin_trap();
    return 0;
}
