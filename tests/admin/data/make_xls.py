#!/usr/bin/python3
# Writes the tiny .xls pupil lists the tests read. Run with Debian's python3-xlwt (apt-get install
# python3-xlwt) from this folder; the files it makes are committed, so the tests need nothing at run time.
import datetime
import xlwt

HEADER = ["nev", "anya", "gondviselo", "szhely", "szdatum", "torzslapszam", "naplosorszam"]
DATE = xlwt.easyxf(num_format_str="YYYY-MM-DD")


def book(sheet_name, header, rows):
    wb = xlwt.Workbook(encoding="utf-8")
    ws = wb.add_sheet(sheet_name)
    for c, name in enumerate(header):
        ws.write(0, c, name)
    for r, row in rows:
        for c, value in enumerate(row):
            if value is None:
                continue
            if isinstance(value, datetime.date):
                ws.write(r, c, value, DATE)
            else:
                ws.write(r, c, value)
    return wb


ROWS = [
    (1, ["Kovács Anna Mária", "Nagy Éva", "Kovács Péter", "Szeged", datetime.date(2015, 3, 4), 12, 3]),
    (2, ["Petőfi", None, None, "Kiskőrös", None, None, None]),
    (3, ["Szabó Ödön", "Kiss Ilona", "Kiss Ilona", "Pécs", "2014.11.30.", "A-17", 5]),
    (4, [None, "Valaki", None, None, None, None, None]),
    # row 5 stays empty
    (6, ["Tóth Béla", "Tóth Anna", "Tóth Anna", "Eger", "rossz", 14, 7]),
]

book("Sheet1", HEADER, ROWS).save("pupils.xls")
book("Sheet1", [h for h in HEADER if h != "szhely"], [(1, ["Kovács Anna", "Nagy Éva"])]).save("missing.xls")
book("Munka1", HEADER, ROWS[:1]).save("munka1.xls")

# 40 pupils, as large as a class gets: for the import benchmark.
FAMILIES = ["Kovács", "Szabó", "Tóth", "Nagy", "Horváth", "Varga", "Kiss", "Molnár"]
GIVEN = ["Anna", "Bence", "Csenge", "Dániel", "Eszter"]
forty = []
for i in range(40):
    forty.append((i + 1, ["%s %s" % (FAMILIES[i % 8], GIVEN[i // 8]), "Anyja %d" % i, "Gondviselő %d" % i,
                          "Budapest", datetime.date(2016, 1 + i % 12, 1 + i % 28), "T-%d" % (i + 1), i + 1]))
book("Sheet1", HEADER, forty).save("pupils40.xls")
