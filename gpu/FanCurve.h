#pragma once
#include <optional>
#include <string>
#include <vector>

struct FanCurvePoint {
    int celsius;
    int percent;
};

// Fan percent as a function of temperature: 2 to 8 points, temperatures strictly rising within
// 0..120 °C, percents 0..100 and never falling; linear between points, flat beyond the first and
// the last.
class CFanCurve {
public:
    static constexpr size_t kMinPoints = 2, kMaxPoints = 8;
    static constexpr int kMaxCelsius = 120, kMaxPercent = 100;
    static constexpr const wchar_t* kDefaultText = L"40:30,60:50,75:80,85:100";

    // "t:p,t:p,..."; nullopt when any rule is broken, so nothing is ever half taken.
    static std::optional<CFanCurve> Parse(const std::wstring& text);
    static std::optional<CFanCurve> FromPoints(std::vector<FanCurvePoint> points);
    static CFanCurve Default();

    const std::vector<FanCurvePoint>& Points() const { return m_points; }
    std::wstring Text() const;
    int PercentAt(int celsius) const;
    bool IsPointPercent(int percent) const;

private:
    explicit CFanCurve(std::vector<FanCurvePoint> points) : m_points(std::move(points)) {}

    std::vector<FanCurvePoint> m_points;
};
