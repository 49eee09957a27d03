// The same job as JsonReader done with RapidJSON, in the two ways it is used: its SAX reader
// building a tree of JsonNode records, or a Document (its own tree, in a memory pool) parsed for
// each message. Only for comparing speed.
//
// RapidJSON parses a text that is all there, not a stream cut anywhere: the chunks are gathered
// in a buffer and each top-level object is parsed from it as soon as it is complete. An object
// that the end of the bytes so far cuts off is parsed again from its start when more came.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "json/json_node.h"

class RapidJsonTreeReader {
public:
    enum class Build { NodeTree, Document };
    // Gets the root JsonNode (NodeTree) or the rapidjson::Document (Document), as an address.
    using Handler = std::function<void(const void* root)>;

    RapidJsonTreeReader(Build build, Handler handler);
    ~RapidJsonTreeReader();
    RapidJsonTreeReader(const RapidJsonTreeReader&) = delete;
    RapidJsonTreeReader& operator=(const RapidJsonTreeReader&) = delete;

    // False on a parse error.
    bool Feed(const char* data, std::size_t length);

private:
    struct Parsers;
    Build build_;
    Handler handler_;
    std::string pending_;  // bytes of the object not yet complete
    std::unique_ptr<Parsers> parsers_;
};
