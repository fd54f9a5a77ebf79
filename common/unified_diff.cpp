#include "common/unified_diff.h"

#include <algorithm>
#include <vector>

namespace qx {
namespace {

constexpr std::size_t kContext = 3;
// Past this many differing lines the middle becomes one change: still exact,
// only not the shortest.
constexpr std::size_t kMaxEdits = 1000;

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        auto end = std::min(text.find('\n'), text.size() - 1) + 1;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

enum class Op { Same, Remove, Add };

// The shortest edit script between a and b (Myers), or none when it would
// take more than kMaxEdits edits. trace[d] keeps the furthest x of each
// diagonal k (from -d to d) after d edits.
bool shortestScript(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b, std::vector<Op>& ops)
{
    const long n = static_cast<long>(a.size());
    const long m = static_cast<long>(b.size());
    std::vector<std::vector<long>> trace;
    auto at = [&](long d, long k) { return trace[static_cast<std::size_t>(d)][static_cast<std::size_t>(k + d)]; };
    for (long d = 0; d <= n + m && d <= static_cast<long>(kMaxEdits); ++d) {
        trace.emplace_back(static_cast<std::size_t>(2 * d + 1));
        for (long k = -d; k <= d; k += 2) {
            bool down = k == -d || (k != d && at(d - 1, k - 1) < at(d - 1, k + 1));
            long x = d == 0 ? 0 : down ? at(d - 1, k + 1) : at(d - 1, k - 1) + 1;
            long y = x - k;
            while (x < n && y < m && a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)])
                ++x, ++y;
            trace[static_cast<std::size_t>(d)][static_cast<std::size_t>(k + d)] = x;
            if (x < n || y < m)
                continue;
            for (long back = d; back > 0; --back) {
                long kk = x - y;
                bool wasDown = kk == -back || (kk != back && at(back - 1, kk - 1) < at(back - 1, kk + 1));
                long prevK = wasDown ? kk + 1 : kk - 1;
                long prevX = at(back - 1, prevK);
                long prevY = prevX - prevK;
                for (; x > prevX + (wasDown ? 0 : 1) && y > prevY + (wasDown ? 1 : 0); --x, --y)
                    ops.push_back(Op::Same);
                ops.push_back(wasDown ? Op::Add : Op::Remove);
                x = prevX;
                y = prevY;
            }
            for (; x > 0; --x)
                ops.push_back(Op::Same);
            std::reverse(ops.begin(), ops.end());
            return true;
        }
    }
    return false;
}

std::vector<Op> editScript(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    std::vector<std::string_view> midA(a.begin() + static_cast<long>(head), a.end() - static_cast<long>(tail));
    std::vector<std::string_view> midB(b.begin() + static_cast<long>(head), b.end() - static_cast<long>(tail));
    std::vector<Op> middle;
    if (!shortestScript(midA, midB, middle)) {
        middle.assign(midA.size(), Op::Remove);
        middle.insert(middle.end(), midB.size(), Op::Add);
    }
    std::vector<Op> ops(head, Op::Same);
    ops.insert(ops.end(), middle.begin(), middle.end());
    ops.insert(ops.end(), tail, Op::Same);
    return ops;
}

void addLine(std::string& out, char mark, std::string_view line)
{
    out += mark;
    out += line;
    if (!line.ends_with('\n'))
        out += "\n\\ No newline at end of file\n";
}

std::string range(std::size_t start, std::size_t count)
{
    // An empty range names the line before it.
    return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

}

std::string unifiedDiff(std::string_view before, std::string_view after, const std::string& name)
{
    auto a = linesOf(before);
    auto b = linesOf(after);
    auto ops = editScript(a, b);
    std::string out;
    std::size_t i = 0;
    while (i < ops.size()) {
        auto change = std::find_if(ops.begin() + static_cast<long>(i), ops.end(), [](Op op) { return op != Op::Same; });
        if (change == ops.end())
            break;
        // A hunk: context before, changes joined while their gaps stay within twice the context, context after.
        std::size_t first = static_cast<std::size_t>(change - ops.begin());
        std::size_t start = first >= kContext ? first - kContext : 0;
        std::size_t end = first;
        for (std::size_t j = first; j < ops.size(); ++j) {
            if (ops[j] != Op::Same)
                end = j + 1;
            else if (j - end >= 2 * kContext)
                break;
        }
        end = std::min(ops.size(), end + kContext);
        std::size_t ai = 0;
        std::size_t bi = 0;
        for (std::size_t j = 0; j < start; ++j) {
            ai += ops[j] != Op::Add;
            bi += ops[j] != Op::Remove;
        }
        std::string body;
        std::size_t countA = 0;
        std::size_t countB = 0;
        std::size_t startA = ai;
        std::size_t startB = bi;
        for (std::size_t j = start; j < end; ++j) {
            if (ops[j] == Op::Same) {
                addLine(body, ' ', a[ai++]);
                ++bi, ++countA, ++countB;
            } else if (ops[j] == Op::Remove) {
                addLine(body, '-', a[ai++]);
                ++countA;
            } else {
                addLine(body, '+', b[bi++]);
                ++countB;
            }
        }
        if (out.empty())
            out = "--- a/" + name + "\n+++ b/" + name + "\n";
        out += "@@ -" + range(startA, countA) + " +" + range(startB, countB) + " @@\n" + body;
        i = end;
    }
    return out;
}

}
