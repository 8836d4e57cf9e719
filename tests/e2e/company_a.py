"""Company A: a trading company kept without a cost schedule, April to March,
rich enough that one document shows the main paths of the two statements
and the statement of changes in net assets."""

YEN = 10000  # one yen in the engine's ten-thousandths

# seq, key, name, name2, kind, side, category, amounts {slot: (debit, credit)} in raw units
ACCOUNTS = [
    (1, 8000000, "【資産の部】", "", 2, 1, 0x80800000, {0: (5000000 * YEN, 0)}),
    (2, 8100000, "流動資産", "", 2, 1, 0x80880000, {0: (3000000 * YEN, 0)}),
    (3, 1110000, "現金", "", 0, 1, 0x80880010,
     {0: (100000 * YEN, 0), 1: (50000 * YEN, 0), 2: (0, 20000 * YEN)}),
    (4, 1120000, "普通　預金", "", 3, 1, 0x80880020, {0: (1000000 * YEN + 5000, 0)}),
    (5, 1130000, "仮払金", "", 0, 1, 0x80880030, {0: (5000, 0)}),
    (6, 1140000, "貸付金", "", 1, 1, 0x80880040, {0: (999 * YEN, 0)}),
    (7, 8200000, "有形固定資産", "", 2, 1, 0x80848000, {}),
    (8, 1210000, "建物", "", 0, 1, 0x80848010, {0: (2000000 * YEN, 0), 12: (0, 100000 * YEN)}),
    (9, 1230000, "ソフト表", "", 0, 1, 0x80840004, {0: (100 * YEN, 0)}),
    (10, 8300000, "負債の部", "", 2, 2, 0x80400000, {0: (0, 800000 * YEN)}),
    (11, 8310000, "流動負債", "", 2, 2, 0x80480000, {0: (0, 800000 * YEN)}),
    (12, 2110000, "買掛金", "", 0, 2, 0x80480010, {0: (0, 500000 * YEN), 3: (600000 * YEN, 0)}),
    (13, 2120000, "未払金<&>", "", 0, 2, 0x80480020, {0: (0, 300000 * YEN)}),
    (14, 8400000, "純資産の部", "", 2, 2, 0x80200000, {0: (0, 4200000 * YEN)}),
    (15, 3110000, "資本金", "", 0, 2, 0x80288000, {0: (0, 1000000 * YEN)}),
    (16, 3210000, "繰越利益剰余金", "", 0, 2, 0x80281048,
     {0: (0, 3000000 * YEN), 13: (0, 200000 * YEN)}),
    (17, 3220000, "別途積立金", "", 0, 2, 0x80281040, {0: (0, 150000 * YEN)}),
    (18, 3230000, "圧縮積立金", "", 0, 2, 0x80281040, {0: (0, 50000 * YEN), 6: (0, 10000 * YEN)}),
    (19, 3300000, "自己株式", "", 0, 1, 0x80280800, {0: (30000 * YEN, 0)}),
    (20, 9100000, "売上高", "", 2, 2, 0x40888000, {m: (0, 100000 * YEN) for m in range(1, 13)}),
    (21, 4110000, "売上", "", 0, 2, 0x40888010, {m: (0, 100000 * YEN) for m in range(1, 13)}),
    (22, 9200000, "売上原価", "", 2, 1, 0x40884000, {1: (700000 * YEN, 0)}),
    (23, 5110000, "仕入", "", 0, 1, 0x40884010, {1: (700000 * YEN, 0)}),
    (24, 9300000, "売上総利益", "", 2, 2, 0x40880008, {1: (0, 500000 * YEN)}),
    (25, 9400000, "販売費及び一般管理費", "", 2, 1, 0x40882000, {2: (300000 * YEN, 0)}),
    (26, 6110000, "給料", "", 0, 1, 0x40882010, {2: (300000 * YEN, 0)}),
    (27, 6120000, "雑費", "", 0, 1, 0x40882020, {}),
    (28, 7110000, "受取利息", "", 0, 2, 0x40848010, {3: (0, 12345678)}),
    (29, 9500000, "経常利益", "経常利益（損失）", 2, 2, 0x40800000, {1: (0, 201234 * YEN)}),
    (30, 9600000, "税引前当期純利益", "", 0, 2, 0x40200080, {1: (0, 201234 * YEN)}),
    (31, 9700000, "法人税等", "", 0, 1, 0x40200010, {12: (1234 * YEN, 0)}),
    (32, 9710000, "法人税等調整額", "", 0, 1, 0x40200002, {12: (500 * YEN, 0)}),
    (33, 9800000, "当期純利益", "当期純利益", 3, 2, 0x40200040, {12: (0, 200000 * YEN)}),
]


def sql(data_id="A0001", company="ABC株式会社", mfg=0, extra_rows=()):
    out = [
        "INSERT INTO engine_settings VALUES ('current_user', 'u1');",
        "INSERT INTO users VALUES ('u1', 0, 1);",
        "INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start,"
        f" period_end, mfg_cost_flag) VALUES (1, '{data_id}', 1, '{company}', 20240401, 20250331,"
        f" {mfg});",
    ]
    for seq, key, name, name2, kind, side, cat, amounts in list(ACCOUNTS) + list(extra_rows):
        out.append("INSERT INTO accounts VALUES ('%s', %d, %d, '%s', '%s', %d, %d, %d);" %
                   (data_id, seq, key, name, name2, kind, side, cat))
        for slot, (d, c) in amounts.items():
            out.append("INSERT INTO account_amounts VALUES ('%s', %d, 1, %d, %d, %d);" %
                       (data_id, seq, slot, d, c))
    return "\n".join(out)


def lines(*rows):
    """A document fragment from (depth, text) rows: tabs, the text, CR LF."""
    return "".join("\t" * d + t + "\r\n" for d, t in rows)


HEADER = lines(
    (0, '<?xml version="1.0" encoding="Shift_JIS"?>'),
    (0, "<REPORT>"),
    (1, "<SYSTEM>"),
    (2, "<GYOUMUPREFIX>QX71</GYOUMUPREFIX>"),
    (2, "<VERSION>1</VERSION>"),
    (2, "<FUNCTIONID>{fid}</FUNCTIONID>"),
    (2, "<CONNECTEDPROGRAMVER>22.03.00</CONNECTEDPROGRAMVER>"),
    (2, "<PROGRAMNAME>{pname}</PROGRAMNAME>"),
    (2, "<PROGRAMVER>{pver}</PROGRAMVER>"),
    (1, "</SYSTEM>"),
    (1, "<BASIC>"),
    (2, "<KOMONSAKINAME>{company}</KOMONSAKINAME>"),
    (2, "<JIGYOUNENDOFROM>20240401</JIGYOUNENDOFROM>"),
    (2, "<JIGYOUNENDOTO>20250331</JIGYOUNENDOTO>"),
    (2, "<PATTERN>"),
    (3, "<BS>"),
    (4, "<CA>"),
    (5, "<Doubtful>A2</Doubtful>"),
    (4, "</CA>"),
    (4, "<PPE>"),
    (5, "<DepImp>B4</DepImp>"),
    (4, "</PPE>"),
    (4, "<IOA>"),
    (5, "<Doubtful>C2</Doubtful>"),
    (5, "<DepImp>D4</DepImp>"),
    (4, "</IOA>"),
    (3, "</BS>"),
    (3, "<PL>"),
    (4, "<Sales>E3</Sales>"),
    (4, "<Cos>{cos}</Cos>"),
    (4, "<Sga>G1</Sga>"),
    (3, "</PL>"),
    (2, "</PATTERN>"),
    (1, "</BASIC>"),
    (1, "<DATA>"),
)

FOOTER = lines((1, "</DATA>"), (0, "</REPORT>"))

BALANCE_SHEET = lines(
    (2, "<BalanceSheet>"),
    (3, '<Assets Label="資産の部" Amount="5000000">'),
    (4, '<CurrentAssets Label="流動資産" Amount="3000000">'),
    (5, '<Item Label="現金">130000</Item>'),
    (5, '<Item Label="普通預金">1000000</Item>'),
    (4, "</CurrentAssets>"),
    (4, "<NoncurrentAssets>"),
    (5, '<PropertyPlantAndEquipment Label="有形固定資産" Amount="">'),
    (6, '<Item Label="建物">1900000</Item>'),
    (6, '<Item Label="ソフト表">100</Item>'),
    (5, "</PropertyPlantAndEquipment>"),
    (5, "<IntangibleAssets>"),
    (6, '<Item Label="ソフト表">100</Item>'),
    (5, "</IntangibleAssets>"),
    (5, "<InvestmentsAndOtherAssets>"),
    (6, '<Item Label="ソフト表">100</Item>'),
    (5, "</InvestmentsAndOtherAssets>"),
    (4, "</NoncurrentAssets>"),
    (4, "<DeferredAssets>"),
    (4, "</DeferredAssets>"),
    (3, "</Assets>"),
    (3, '<Liabilities Label="負債の部" Amount="800000">'),
    (4, '<CurrentLiabilities Label="流動負債" Amount="800000">'),
    (5, '<Item Label="買掛金">-100000</Item>'),
    (5, '<Item Label="未払金&lt;&amp;&gt;">300000</Item>'),
    (4, "</CurrentLiabilities>"),
    (4, "<NoncurrentLiabilities>"),
    (4, "</NoncurrentLiabilities>"),
    (3, "</Liabilities>"),
    (3, '<NetAssets Label="純資産の部" Amount="4200000">'),
    (4, '<Item Label="資本金">1000000</Item>'),
    (4, '<Item Label="繰越利益剰余金">3200000</Item>'),
    (4, '<Item Label="別途積立金">150000</Item>'),
    (4, '<Item Label="圧縮積立金">60000</Item>'),
    (4, '<Item Label="自己株式">30000</Item>'),
    (3, "</NetAssets>"),
    (2, "</BalanceSheet>"),
)

INCOME_STATEMENT = lines(
    (2, "<IncomeStatement>"),
    (3, '<NetSales Label="売上高" Amount="1200000">'),
    (4, '<Item Label="売上">1200000</Item>'),
    (3, "</NetSales>"),
    (3, '<CostOfSales Label="売上原価" Amount="700000">'),
    (4, '<Item Label="仕入">700000</Item>'),
    (3, "</CostOfSales>"),
    (3, '<GrossProfit Label="売上総利益" Amount="500000"></GrossProfit>'),
    (3, '<SellingGeneralAndAdministrativeExpenses Label="販売費及び一般管理費" Amount="300000">'),
    (4, '<Item Label="給料">300000</Item>'),
    (3, "</SellingGeneralAndAdministrativeExpenses>"),
    (3, "<NonOperatingIncome>"),
    (4, '<Item Label="受取利息">1234</Item>'),
    (3, "</NonOperatingIncome>"),
    (3, "<NonOperatingExpenses>"),
    (3, "</NonOperatingExpenses>"),
    (3, '<OrdinaryIncome Label="経常利益損失" Amount="201234"></OrdinaryIncome>'),
    (3, "<ExtraordinaryIncome>"),
    (3, "</ExtraordinaryIncome>"),
    (3, "<ExtraordinaryLoss>"),
    (3, "</ExtraordinaryLoss>"),
    (3, '<IncomeBeforeIncomeTaxes Label="税引前当期純利益" Amount="201234">'
        "</IncomeBeforeIncomeTaxes>"),
    (3, "<IncomeTaxes>"),
    (4, '<Item Label="法人税等調整額">500</Item>'),
    (4, '<Item Label="当期純利益">200000</Item>'),
    (3, "</IncomeTaxes>"),
    (3, '<NetIncome Label="当期純利益" Amount="200000"></NetIncome>'),
    (2, "</IncomeStatement>"),
)


def net_assets(kind):
    def plain(name, amount):
        return [(3, "<ChangesNetAssetsItem>"),
                (4, f"<AccountList>{name}</AccountList>"),
                (4, f"<BalanceEndPreviousPeriod>{amount}</BalanceEndPreviousPeriod>"),
                (4, f"<BalanceEndCurrentPeriod>{amount}</BalanceEndCurrentPeriod>"),
                (3, "</ChangesNetAssetsItem>")]

    rows = [(2, "<StatementChangesNetAssets>"), (3, f"<Select>{kind}</Select>")]
    rows += plain("資本金", 1000000)
    rows += plain("別途積立金", 150000)
    rows += [(3, "<ChangesNetAssetsItem>"),
             (4, "<AccountList>任意積立金</AccountList>"),
             (4, "<BalanceEndPreviousPeriod>50000</BalanceEndPreviousPeriod>"),
             (4, "<ChangesItemsDuringPeriod>"),
             (5, "<TotalChangesItemsDuringPeriod>10000</TotalChangesItemsDuringPeriod>"),
             (4, "</ChangesItemsDuringPeriod>"),
             (4, "<BalanceEndCurrentPeriod>60000</BalanceEndCurrentPeriod>"),
             (3, "</ChangesNetAssetsItem>"),
             (3, "<ChangesNetAssetsItem>"),
             (4, "<AccountList>繰越利益剰余金</AccountList>"),
             (4, "<BalanceEndPreviousPeriod>3000000</BalanceEndPreviousPeriod>"),
             (4, "<ChangesItemsDuringPeriod>"),
             (5, "<TotalChangesItemsDuringPeriod>200000</TotalChangesItemsDuringPeriod>"),
             (5, "<ChangesItem>"),
             (6, "<Reason>当期純利益</Reason>"),
             (6, "<Amount>200000</Amount>"),
             (5, "</ChangesItem>"),
             (4, "</ChangesItemsDuringPeriod>"),
             (4, "<BalanceEndCurrentPeriod>3200000</BalanceEndCurrentPeriod>"),
             (3, "</ChangesNetAssetsItem>")]
    rows += plain("自己株式", 30000)
    rows += [(2, "</StatementChangesNetAssets>")]
    return lines(*rows)


def document(kind=2, fid=3, pname="Zeimark 法人税申告", pver="22.03.01",
             company="ＡＢＣ株式会社", cos="F1", cost_schedule="", notes=""):
    head = HEADER.format(fid=fid, pname=pname, pver=pver, company=company, cos=cos)
    body = BALANCE_SHEET + INCOME_STATEMENT + cost_schedule + net_assets(kind) + notes
    return (head + body + FOOTER).encode("cp932")


WARNING = ("以下の科目は、正しい分類に出力することができません。\r\n"
           "科目性格を見直す必要があります。\r\n\r\n"
           "科目コード\t： 123\r\n"
           "正式名称\t： ソフト表\r\n\r\n"
           "Ledgoraの勘定科目設定画面にて、科目性格を\r\n"
           " [有形固定資産] [無形固定資産] [投資その他の資産]\r\n"
           "のいずれかに設定し、もう一度処理を行ってください。\r\n")

# Manufacturing accounts for the same company kept with a cost schedule.
COST_ACCOUNTS = [
    (34, 9900000, "材料費", "", 2, 1, 0x20800000, {1: (400000 * YEN, 0)}),
    (35, 5210000, "[製]材料　費", "", 0, 1, 0x20800010, {1: (400000 * YEN, 0)}),
    (36, 5220000, "賃金", "", 0, 1, 0x20400010, {2: (200000 * YEN, 0)}),
    (37, 9910000, "外注加工費", "", 2, 1, 0x20040000, {}),
    (38, 5230000, "外注費", "", 0, 1, 0x20040010, {3: (50000 * YEN, 0)}),
    (39, 9920000, "当期総製造費用", "", 2, 1, 0x20080000, {1: (650000 * YEN, 0)}),
    (40, 9930000, "当期製品製造原価", "", 2, 1, 0x40884200, {1: (650000 * YEN, 0)}),
]

COST_SCHEDULE = lines(
    (2, "<ScheduleCostGoodsManufactured>"),
    (3, '<MaterialCost Label="材料費" Amount="400000">'),
    (4, '<Item Label="材料費">400000</Item>'),
    (3, "</MaterialCost>"),
    (3, "<LaborCost>"),
    (4, '<Item Label="賃金">200000</Item>'),
    (3, "</LaborCost>"),
    (3, '<SubcontractCost Label="外注加工費" Amount="">'),
    (4, '<Item Label="外注費">50000</Item>'),
    (3, "</SubcontractCost>"),
    (3, "<OverheadExpenses>"),
    (3, "</OverheadExpenses>"),
    (3, '<TotalProductionCostUtilized Label="当期総製造費用" Amount="650000">'
        "</TotalProductionCostUtilized>"),
    (3, "<WorkProcessBeginningInventories>"),
    (3, "</WorkProcessBeginningInventories>"),
    (3, "<WorkProcessClosingInventories>"),
    (3, "</WorkProcessClosingInventories>"),
    (3, '<CostFinishedGoods Label="当期製品製造原価" Amount="650000"></CostFinishedGoods>'),
    (2, "</ScheduleCostGoodsManufactured>"),
)
