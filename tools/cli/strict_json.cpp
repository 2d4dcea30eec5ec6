#include "strict_json.h"

#include <string_view>
#include <unordered_set>
#include <vector>

namespace vedrix::cli {
namespace {

// Where the parser stands: one frame per open object or array, with the
// object's field names so far or the index of the array's current element.
class PathTracker {
public:
    struct Repeated {
        std::string place;
    };

    // Follows one parser event; throws Repeated at a field given twice.
    void follow(nlohmann::json::parse_event_t event, const StructureJson& parsed) {
        using Event = nlohmann::json::parse_event_t;
        switch (event) {
            case Event::object_start:
                elementBegins();
                m_frames.emplace_back(true);
                break;
            case Event::array_start:
                elementBegins();
                m_frames.emplace_back(false);
                break;
            case Event::object_end:
            case Event::array_end:
                m_frames.pop_back();
                break;
            case Event::key: {
                Frame& frame = m_frames.back();
                frame.key = parsed.get<std::string>();
                if (!frame.keys.insert(frame.key).second) {
                    throw Repeated{pointer()};
                }
                break;
            }
            case Event::value:
                elementBegins();
                break;
        }
    }

private:
    struct Frame {
        explicit Frame(bool object) : isObject(object) {}

        bool isObject;
        std::size_t elements = 0;
        std::string key;
        std::unordered_set<std::string> keys;
    };

    void elementBegins() {
        if (!m_frames.empty() && !m_frames.back().isObject) {
            ++m_frames.back().elements;
        }
    }

    std::string pointer() const {
        StructureJson::json_pointer at;
        for (const Frame& frame : m_frames) {
            at = frame.isObject ? at / frame.key : at / (frame.elements - 1);
        }
        return at.to_string();
    }

    std::vector<Frame> m_frames;
};

}  // namespace

bool parseStrictJson(const std::string& text, StructureJson& document, std::string& problem) {
    PathTracker tracker;
    try {
        document = StructureJson::parse(
            text, [&tracker](int, nlohmann::json::parse_event_t event, StructureJson& parsed) {
                tracker.follow(event, parsed);
                return true;
            });
        return true;
    } catch (const PathTracker::Repeated& repeated) {
        problem = repeated.place + ": the field is given twice";
    } catch (const nlohmann::json::parse_error& error) {
        // The library's message names the line and column; its code prefix
        // ("[json.exception.parse_error.101] ") says nothing to a reader.
        std::string_view message = error.what();
        const std::size_t code = message.find("] ");
        problem = "malformed JSON: " +
                  std::string(code == std::string_view::npos ? message : message.substr(code + 2));
    }
    return false;
}

}  // namespace vedrix::cli
