#include "platform/sys/CommandLine.h"

std::string QuoteArg(const std::string& Arg)
{
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : Arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // Backslashes before a quote are doubled, and the quote itself gets one more.
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    // Backslashes before the closing quote must not escape it.
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

static bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string> SplitCommandLine(const std::string& CommandLine)
{
    std::vector<std::string> args;
    std::string current;
    bool inArg = false; // a quote alone makes an (empty) argument, so this is not current.empty()
    bool quoted = false;
    const std::size_t n = CommandLine.size();
    for (std::size_t i = 0; i < n; ++i) {
        char c = CommandLine[i];
        if (c == '\\') {
            std::size_t run = 0;
            while (i < n && CommandLine[i] == '\\') {
                ++run;
                ++i;
            }
            inArg = true;
            if (i < n && CommandLine[i] == '"') {
                current.append(run / 2, '\\');
                if (run % 2 == 1) {
                    current += '"';
                    continue; // the escaped quote is consumed
                }
                --i; // let the quote toggle below on the next round
                continue;
            }
            current.append(run, '\\');
            --i;
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
            inArg = true;
            continue;
        }
        if (!quoted && IsSeparator(c)) {
            if (inArg) {
                args.push_back(std::move(current));
                current.clear();
                inArg = false;
            }
            continue;
        }
        current += c;
        inArg = true;
    }
    if (inArg) {
        args.push_back(std::move(current));
    }
    return args;
}
