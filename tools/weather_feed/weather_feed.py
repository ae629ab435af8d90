#!/usr/bin/env python3
"""A small weather feed for trying the calendar's weather section locally.

Serves the two paths the widget asks for:
  GET /querycity.php              <province>北京市</province><city>北京市</city>
  GET /weather/<station>_<24|48>.xml   a forecast document for any station

The forecasts are made up (they change with the station and the day) and
are dated today and tomorrow, so the widget's cache takes them. Documents
are GBK, declared as gb2312, like the maker's feed.

    python3 tools/weather_feed/weather_feed.py [port] [city]

then put `weather=127.0.0.1:<port>` in [hosts] of Data\\network.ini.
"""

import datetime
import http.server
import re
import sys

SKIES = [
    (0, "晴"), (1, "多云"), (2, "阴"), (3, "阵雨"), (4, "雷阵雨"), (7, "小雨"),
    (8, "中雨"), (13, "阵雪"), (14, "小雪"), (18, "雾"),
]
WINDS = ["北风", "东北风", "东风", "东南风", "南风", "西南风", "西风", "西北风"]


def forecast(station: int, hours: int) -> bytes:
    day = datetime.date.today() + datetime.timedelta(days=hours // 24 - 1)
    seed = station + day.toordinal() * 7 + hours
    code, sky = SKIES[seed % len(SKIES)]
    low = 5 + seed % 15
    high = low + 4 + seed % 7
    start = datetime.datetime.combine(day, datetime.time(8))
    end = start + datetime.timedelta(days=1)
    wind = WINDS[seed % len(WINDS)]
    text = (
        '<?xml version="1.0" encoding="gb2312"?>\r\n'
        f"<weather><cityid>{station}</cityid>"
        f"<description>{sky}</description><skycode1>{code}</skycode1><skycode2>{code}</skycode2>"
        f"<mintemperature>{low}</mintemperature><maxtemperature>{high}</maxtemperature>"
        f"<starttime>{start:%Y-%m-%d %H:%M:%S}</starttime><endtime>{end:%Y-%m-%d %H:%M:%S}</endtime>"
        f"<winddirection>{wind}</winddirection><windpower>{2 + seed % 3}-{3 + seed % 3}级</windpower>"
        "<dress><index>舒适</index><des1>建议穿薄外套或牛仔裤</des1><des2></des2></dress>"
        "<comfort><index>较舒适</index><des1></des1><des2></des2></comfort>"
        "<catchcold><index>少发</index><des1>无明显降温，感冒机率较低</des1><des2></des2></catchcold>"
        "<washcar><index>较适宜</index><des1>未来一天无雨，风力较小</des1><des2></des2></washcar>"
        "</weather>"
    )
    return text.encode("gbk")


class Feed(http.server.BaseHTTPRequestHandler):
    city = "北京市"

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        match = re.fullmatch(r"/weather/(\d{1,6})_(24|48)\.xml", path)
        if path == "/querycity.php":
            body = f"<province>{self.city}</province><city>{self.city}</city>".encode("gbk")
            kind = "text/html; charset=gb2312"
        elif match:
            body = forecast(int(match.group(1)), int(match.group(2)))
            kind = "text/xml; charset=gb2312"
        else:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main() -> None:
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 8080
    if len(sys.argv) > 2:
        Feed.city = sys.argv[2]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Feed)
    print(f"weather feed on http://127.0.0.1:{port}/ (city query answers {Feed.city})")
    server.serve_forever()


if __name__ == "__main__":
    main()
