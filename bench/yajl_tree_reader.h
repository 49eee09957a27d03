// The same job as JsonReader done with yajl's streaming parser: a tree of JsonNode records
// built from its callbacks, handed over and freed at the close of each top-level object.
// Only for comparing speed.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include "json/json_node.h"
#include "tree_builder.h"

struct yajl_handle_t;

class YajlTreeReader {
public:
    using Handler = std::function<void(const JsonNode* root)>;

    explicit YajlTreeReader(Handler handler);
    ~YajlTreeReader();
    YajlTreeReader(const YajlTreeReader&) = delete;
    YajlTreeReader& operator=(const YajlTreeReader&) = delete;

    // False on a parse error.
    bool Feed(const char* data, std::size_t length);

    // Called from the yajl callbacks: the end of a container, and the builder they feed.
    void Close();
    TreeBuilder builder;

private:
    Handler handler_;
    yajl_handle_t* handle_;
};
