// Ownership of cJSON trees and of the texts cJSON prints.
#pragma once

#include <cjson/cJSON.h>

#include <memory>

namespace plazor {

struct CJsonDeleter {
    void operator()(cJSON* item) const { cJSON_Delete(item); }
};
struct CJsonTextDeleter {
    void operator()(char* text) const { cJSON_free(text); }
};

using CJsonPtr = std::unique_ptr<cJSON, CJsonDeleter>;
using CJsonText = std::unique_ptr<char, CJsonTextDeleter>;

}  // namespace plazor
