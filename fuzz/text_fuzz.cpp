// SPDX-License-Identifier: MIT
// Fuzzing of the texts made from a table: random rows of valid type codes,
// with arbitrary letters, descriptions and values (null texts, negative ints,
// times that ctime cannot convert, NaNs), go through argdShowUsage,
// argdInitOpt and the descriptor line of an error report. A small model
// writes each text as the header describes it: the usage text has two lines
// plus one per row, each row's line begins with four blanks, '-' and the
// letter, and its description starts at column 16. The FILE* forms must
// write the same texts with the same flushes. Any difference aborts.
//
// Letters, descriptions and the other texts are generated without newline
// bytes (and without NUL, which would end them early): a newline inside a
// description would start a line of its own, and the header promises one
// line per row only for descriptions without one.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "support.h"

namespace {

struct Code {
    int code;
    const char* syntax;
};
const Code kCodes[] = {{'0', ""},       {'1', ""},       {'b', ""},       {'B', "t|f"},
                       {'u', "<int>"},  {'U', "<uint>"}, {'d', "<real>"}, {'s', "\"...\""},
                       {'t', "<date>"}, {'-', "<...>"},  {'+', "..."}};

// Reads the input front to back; past its end every byte is 0.
struct Reader {
    const uint8_t* p;
    size_t n;
    uint8_t byte()
    {
        if (!n)
            return 0;
        --n;
        return *p++;
    }
    template <class T>
    T value()
    {
        unsigned char bytes[sizeof(T)];
        for (unsigned char& b : bytes)
            b = byte();
        T t;
        memcpy(&t, bytes, sizeof t);
        return t;
    }
    std::string text()
    {
        std::string s;
        for (int cch = byte() % 32; cch > 0; --cch)
            if (char ch = char(byte()); ch != '\n' && ch != '\0')
                s += ch;
        return s;
    }
};

struct Row {
    char letter;
    const Code* code;
    std::string dsc, text;
    int i;
    unsigned u;
    double d;
    time_t t;
    const char* sz;
};

std::string shown(const Row& r)
{
    switch (r.code->code) {
    case '0':
    case '1': return r.i ? "on" : "off";
    case 'b':
    case 'B': return r.i ? "true" : "false";
    case 'u': return r.i < 0 ? "unspec" : std::to_string(r.i);
    case 'U': return std::to_string(r.u);
    case 'd': {
        std::ostringstream os;
        os << r.d;
        return os.str();
    }
    case 's': return r.sz ? r.sz : "unspec";
    case 't': {
        const char* sz = ctime(&r.t); // its text ends with a newline, which is not shown
        return sz ? std::string(sz, strlen(sz) - 1) : std::to_string(r.t);
    }
    default: return "";
    }
}

std::string descriptorLine(const Row& r)
{
    std::string line = std::string("    -") + r.letter + ' ' + r.code->syntax;
    line.resize(15, ' ');
    line += r.dsc;
    if (r.dsc.find('[') == std::string::npos)
        line += " [" + shown(r) + "]";
    return line + "\n";
}

std::string usageText(const std::vector<Row>& rows, const std::string& prog, const char* post)
{
    std::string flags, others;
    for (const Row& r : rows)
        if (*r.code->syntax)
            others += std::string(" -") + r.letter + ' ' + r.code->syntax;
        else
            flags += r.letter;
    std::string text = "usage: " + prog + ' ';
    if (!rows.empty())
        text += " [" + (flags.empty() ? "" : "-" + flags) + others + "]";
    text += std::string(" ") + (post ? post : "") + "\nOptions:\n";
    for (const Row& r : rows)
        text += descriptorLine(r);
    return text;
}

std::string optionString(const std::vector<Row>& rows, size_t visited)
{
    std::string s;
    for (size_t i = 0; i < visited; ++i)
        if (rows[i].code->code != '+')
            s += std::string(1, rows[i].letter) + (*rows[i].code->syntax ? ":" : "");
    return s;
}

// A FILE* that keeps what reaches it; its buffer outgrows every text, so
// that each write reaching it is a flush.
struct Kept {
    std::string text;
    int flushes = 0;
    std::vector<char> buffer = std::vector<char>(1 << 16);
    FILE* pf;
    Kept()
    {
        cookie_io_functions_t io = {nullptr, write, nullptr, nullptr};
        pf = fopencookie(this, "w", io);
        setvbuf(pf, buffer.data(), _IOFBF, buffer.size());
    }
    static ssize_t write(void* pv, const char* pch, size_t cch)
    {
        Kept* p = static_cast<Kept*>(pv);
        p->text.append(pch, cch);
        ++p->flushes;
        return ssize_t(cch);
    }
    void close() // what fclose() writes was not flushed by the operation
    {
        int flushesBefore = flushes;
        fclose(pf);
        flushes = flushesBefore;
    }
};

void expect(const char* what, const std::string& got, const std::string& expected)
{
    if (got == expected)
        return;
    fprintf(stderr, "argops differs from the model in the %s:\n%s\nexpected:\n%s\n", what, got.c_str(),
            expected.c_str());
    abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in{data, size};
    std::string prog = in.text(), post = in.text();
    const char* szPost = in.byte() & 1 ? post.c_str() : nullptr;
    std::vector<Row> rows(in.byte() % 16); // never resized: the table points into it
    std::vector<ArgDsc> table;
    for (Row& r : rows) {
        r.letter = char(in.byte());
        if (r.letter == '\0' || r.letter == '\n')
            r.letter = 'x';
        r.code = &kCodes[in.byte() % (sizeof kCodes / sizeof *kCodes)];
        r.dsc = in.text();
        r.text = in.text();
        r.sz = in.byte() & 1 ? r.text.c_str() : nullptr;
        r.i = in.value<int>();
        r.u = in.value<unsigned>();
        r.d = in.value<double>();
        r.t = in.value<time_t>();
        void* pv = nullptr;
        switch (r.code->code) {
        case 'U': pv = &r.u; break;
        case 'd': pv = &r.d; break;
        case 's': pv = &r.sz; break;
        case 't': pv = &r.t; break;
        case '-':
        case '+': break;
        default: pv = &r.i;
        }
        table.push_back({r.letter, r.dsc.c_str(), r.code->code, pv, nullptr});
    }
    table.push_back({0});

    CountingBuf out;
    std::ostream os(&out);
    argdShowUsage(table.data(), prog.c_str(), szPost, os);
    expect("usage text", out.str(), usageText(rows, prog, szPost));
    expect("number of flushes", std::to_string(out.syncs), std::to_string(rows.size()));
    Kept keptUsage;
    argdShowUsage(table.data(), prog.c_str(), szPost, keptUsage.pf);
    keptUsage.close();
    expect("usage text on a FILE*", keptUsage.text, out.str());
    expect("flushes of a FILE*", std::to_string(keptUsage.flushes), std::to_string(out.syncs));

    // A count from the input: -1 (up to the ending row), 0 to all rows, or below -1.
    int choice = in.byte(), c = choice < 64 ? -1 : choice < 192 ? choice % int(rows.size() + 1) : -2 - choice;
    size_t visited = c == -1 ? rows.size() : c < 0 ? 0 : size_t(c);
    std::vector<char> opt(2 * visited + 1, '*'); // exactly the room the header asks for
    argdInitOpt(opt.data(), table.data(), c);
    expect("option string", opt.data(), optionString(rows, visited));

    for (size_t i = 0; i < rows.size(); ++i) {
        int code = rows[i].code->code;
        if (code != 'u' && code != 'U')
            continue;
        std::ostringstream report;
        Kept kept;
        if (code == 'u') {
            argdScanu(&table[i], arg("?"), &prog[0], report);
            argdScanu(&table[i], arg("?"), &prog[0], kept.pf);
        } else {
            argdScanU(&table[i], arg("?"), &prog[0], report);
            argdScanU(&table[i], arg("?"), &prog[0], kept.pf);
        }
        kept.close();
        expect("error report", report.str(),
               prog + ": option scan error\n" + descriptorLine(rows[i]) + "    can't get " +
                   (code == 'u' ? "integer" : "unsigned") + " from:\"?\"\n");
        expect("error report on a FILE*", kept.text, report.str());
        expect("flushes of a report on a FILE*", std::to_string(kept.flushes), "3");
    }
    return 0;
}
