-- Sample company for the engine stand-in: one data set of a small trading
-- company, fiscal year 1 April 2024 - 31 March 2025, with its accounts, twelve
-- months of bookings plus the closing adjustments, and its saved notes.
-- Applied on top of the engine schema; UTF-8 text.

INSERT INTO engine_settings (name, value) VALUES
  ('current_user', 'user01'),
  ('package_name', 'Zeimark');
-- output_folder is left unset: the default output path falls back to the
-- temporary folder. settings_folder is left unset: the default data folder.

INSERT INTO users (user_id, selected_first, selected_second) VALUES ('user01', 1, 1);

INSERT INTO data_sets (cursor_order, data_id, id_text, data_no, company_name, period_start,
                       period_end, mfg_cost_flag, extra_period_flag, intro_month_index,
                       companies_act, tax_flag, tax_result)
  VALUES (1, 'SMPL2024', NULL, 1, '株式会社サンプル商事', 20240401, 20250331, 0, 0, 0, 1, 0, 0);

-- Accounts in chart order. The key is the account code times 10000. Kind 2
-- rows are headings and totals; kind 0 rows are the accounts booked to; kind 1
-- is a clearing account that the statements leave out. Side 1: debit side.
INSERT INTO accounts (data_id, seq, account_key, name, name2, kind, side, category) VALUES
  ('SMPL2024',  10,   9010000, '【資産の部】',             '', 2, 1, 0x80800000),
  ('SMPL2024',  20,   9020000, '【流動資産】',             '', 2, 1, 0x80880000),
  ('SMPL2024',  30,  11100000, '現金',                     '', 0, 1, 0x80880010),
  ('SMPL2024',  40,  11310000, '普通預金',                 '', 0, 1, 0x80880020),
  ('SMPL2024',  50,  11500000, '売掛金',                   '', 0, 1, 0x80880040),
  ('SMPL2024',  60,  11700000, '商品',                     '', 0, 1, 0x80880080),
  ('SMPL2024',  70,  11900000, '前払費用',                 '', 0, 1, 0x80880100),
  ('SMPL2024',  80,   9030000, '【固定資産】',             '', 2, 1, 0x80840000),
  ('SMPL2024',  90,   9040000, '【有形固定資産】',         '', 2, 1, 0x80848000),
  ('SMPL2024', 100,  12100000, '建物',                     '', 0, 1, 0x80848010),
  ('SMPL2024', 110,  12500000, '工具器具備品',             '', 0, 1, 0x80848020),
  ('SMPL2024', 120,   9050000, '【無形固定資産】',         '', 2, 1, 0x80844000),
  ('SMPL2024', 130,  13100000, 'ソフトウェア',             '', 0, 1, 0x80844010),
  ('SMPL2024', 140,   9060000, '【投資その他の資産】',     '', 2, 1, 0x80842000),
  ('SMPL2024', 150,  14100000, '敷金',                     '', 0, 1, 0x80842010),
  ('SMPL2024', 160,   9070000, '【繰延資産】',             '', 2, 1, 0x80820000),
  ('SMPL2024', 170,   9080000, '【負債の部】',             '', 2, 2, 0x80400000),
  ('SMPL2024', 180,   9090000, '【流動負債】',             '', 2, 2, 0x80480000),
  ('SMPL2024', 190,  21100000, '買掛金',                   '', 0, 2, 0x80480010),
  ('SMPL2024', 200,  21400000, '未払金',                   '', 0, 2, 0x80480020),
  ('SMPL2024', 210,  21600000, '未払法人税等',             '', 0, 2, 0x80480040),
  ('SMPL2024', 220,   9100000, '【固定負債】',             '', 2, 2, 0x80440000),
  ('SMPL2024', 230,  25100000, '長期借入金',               '', 0, 2, 0x80440010),
  ('SMPL2024', 240,   9110000, '【純資産の部】',           '', 2, 2, 0x80200000),
  ('SMPL2024', 250,  31100000, '資本金',                   '', 0, 2, 0x80288000),
  ('SMPL2024', 260,  33100000, '利益準備金',               '', 0, 2, 0x80281080),
  ('SMPL2024', 270,  33200000, '別途積立金',               '', 0, 2, 0x80281040),
  ('SMPL2024', 280,  33300000, '繰越利益剰余金',           '', 0, 2, 0x80281048),
  ('SMPL2024', 300,   9200000, '【売上高】',               '', 2, 2, 0x40888000),
  ('SMPL2024', 310,  41100000, '売上高',                   '', 0, 2, 0x40888010),
  ('SMPL2024', 320,   9210000, '【売上原価】',             '', 2, 1, 0x40884000),
  ('SMPL2024', 330,  51100000, '期首商品棚卸高',           '', 0, 1, 0x40884010),
  ('SMPL2024', 340,  51200000, '仕入高',                   '', 0, 1, 0x40884020),
  ('SMPL2024', 350,  51300000, '期末商品棚卸高',           '', 0, 1, 0x40884040),
  ('SMPL2024', 360,   9220000, '売上総利益',               '', 2, 2, 0x40880008),
  ('SMPL2024', 370,   9230000, '【販売費及び一般管理費】', '', 2, 1, 0x40882000),
  ('SMPL2024', 380,  61100000, '給料手当',                 '', 0, 1, 0x40882010),
  ('SMPL2024', 390,  61200000, '地代家賃',                 '', 0, 1, 0x40882020),
  ('SMPL2024', 400,  61300000, '水道光熱費',               '', 0, 1, 0x40882040),
  ('SMPL2024', 410,  61400000, '旅費交通費',               '', 0, 1, 0x40882080),
  ('SMPL2024', 420,  61500000, '通信費',                   '', 0, 1, 0x40882100),
  ('SMPL2024', 430,  61600000, '消耗品費',                 '', 0, 1, 0x40882200),
  ('SMPL2024', 440,  61700000, '減価償却費',               '', 0, 1, 0x40882400),
  ('SMPL2024', 450,   9240000, '【営業利益】',       '営業利益金額', 2, 2, 0x40880000),
  ('SMPL2024', 460,   9250000, '【営業外収益】',           '', 2, 2, 0x40848000),
  ('SMPL2024', 470,  71100000, '受取利息',                 '', 0, 2, 0x40848010),
  ('SMPL2024', 480,   9260000, '【営業外費用】',           '', 2, 1, 0x40844000),
  ('SMPL2024', 490,  72100000, '支払利息',                 '', 0, 1, 0x40844010),
  ('SMPL2024', 500,   9270000, '【経常利益】',       '経常利益金額', 2, 2, 0x40800000),
  ('SMPL2024', 510,   9280000, '【特別利益】',             '', 2, 2, 0x40480000),
  ('SMPL2024', 520,   9290000, '【特別損失】',             '', 2, 1, 0x40440000),
  ('SMPL2024', 530,  82100000, '固定資産除却損',           '', 0, 1, 0x40440010),
  ('SMPL2024', 540,   9300000, '【税引前当期純利益】', '税引前当期純利益金額', 2, 2, 0x40200080),
  ('SMPL2024', 550,  91100000, '法人税、住民税及び事業税', '', 0, 1, 0x40200100),
  ('SMPL2024', 560,   9310000, '【当期純利益】',     '当期純利益金額', 2, 2, 0x40200040),
  ('SMPL2024', 570,  99990000, '諸口',                     '', 1, 1, 0);

-- Bookings in whole yen by account code (key / 10000) and slot: 0 brought
-- forward, 1-12 the months April to March, 13 the closing adjustments.
CREATE TEMP TABLE booking (code INTEGER, slot INTEGER, debit INTEGER, credit INTEGER);

-- Opening balance sheet: assets 33,800,000 = liabilities 14,500,000 + net
-- assets 19,300,000.
INSERT INTO booking VALUES
  (1110, 0,   300000, 0), (1131, 0, 15000000, 0), (1150, 0, 5500000, 0),
  (1170, 0,  2000000, 0), (1190, 0,   200000, 0), (1210, 0, 8000000, 0),
  (1250, 0,  1200000, 0), (1310, 0,   600000, 0), (1410, 0, 1000000, 0),
  (2110, 0, 0,  3300000), (2140, 0, 0,   400000), (2160, 0, 0,  800000),
  (2510, 0, 0, 10000000), (3110, 0, 0, 10000000), (3310, 0, 0,  500000),
  (3320, 0, 0,  1000000), (3330, 0, 0,  7800000);

-- Every month: sales on credit, collected the month after; purchases on
-- credit, paid the month after; wages, rent, utilities, telephone, petty
-- cash, interest and a loan repayment from the bank account.
WITH RECURSIVE months(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM months WHERE i < 12),
m AS (SELECT i,
             5000000 + 100000 * i AS sales,
             CASE WHEN i = 1 THEN 5500000 ELSE 5000000 + 100000 * (i - 1) END AS collected,
             3000000 + 60000 * i AS purchases,
             CASE WHEN i = 1 THEN 3300000 ELSE 3000000 + 60000 * (i - 1) END AS paid
      FROM months)
INSERT INTO booking
            SELECT 1150, i, sales, 0 FROM m UNION ALL SELECT 4110, i, 0, sales FROM m
  UNION ALL SELECT 1131, i, collected, 0 FROM m UNION ALL SELECT 1150, i, 0, collected FROM m
  UNION ALL SELECT 5120, i, purchases, 0 FROM m UNION ALL SELECT 2110, i, 0, purchases FROM m
  UNION ALL SELECT 2110, i, paid, 0 FROM m UNION ALL SELECT 1131, i, 0, paid FROM m
  UNION ALL SELECT 6110, i, 1200000, 0 FROM m UNION ALL SELECT 1131, i, 0, 1200000 FROM m
  UNION ALL SELECT 6120, i, 300000, 0 FROM m UNION ALL SELECT 1131, i, 0, 300000 FROM m
  UNION ALL SELECT 6130, i, 50000 + 5000 * (i % 3), 0 FROM m
  UNION ALL SELECT 1131, i, 0, 50000 + 5000 * (i % 3) FROM m
  UNION ALL SELECT 6150, i, 30000, 0 FROM m UNION ALL SELECT 1131, i, 0, 30000 FROM m
  UNION ALL SELECT 1110, i, 100000, 0 FROM m UNION ALL SELECT 1131, i, 0, 100000 FROM m
  UNION ALL SELECT 6140, i, 80000, 0 FROM m UNION ALL SELECT 1110, i, 0, 80000 FROM m
  UNION ALL SELECT 6160, i, 20000, 0 FROM m UNION ALL SELECT 1110, i, 0, 20000 FROM m
  UNION ALL SELECT 7210, i, 20000, 0 FROM m UNION ALL SELECT 1131, i, 0, 20000 FROM m
  UNION ALL SELECT 2510, i, 100000, 0 FROM m UNION ALL SELECT 1131, i, 0, 100000 FROM m;

INSERT INTO booking VALUES
  -- May: last year's corporate taxes paid.
  (2160, 2, 800000, 0), (1131, 2, 0, 800000),
  -- June: dividend of 500,000 with 50,000 set aside as legal reserve.
  (3330, 3, 550000, 0), (1131, 3, 0, 500000), (3310, 3, 0, 50000),
  -- June and December: interest received.
  (1131, 3, 1500, 0), (7110, 3, 0, 1500), (1131, 9, 1500, 0), (7110, 9, 0, 1500),
  -- November: new equipment; January: old equipment scrapped.
  (1250, 8, 600000, 0), (1131, 8, 0, 600000), (8210, 10, 10000, 0), (1250, 10, 0, 10000),
  -- Closing: depreciation, inventory, corporate taxes.
  (6170, 13, 680000, 0), (1210, 13, 0, 200000), (1250, 13, 0, 280000), (1310, 13, 0, 200000),
  (5110, 13, 2000000, 0), (1170, 13, 0, 2000000), (1170, 13, 2300000, 0), (5130, 13, 0, 2300000),
  (9110, 13, 1880000, 0), (2160, 13, 0, 1880000);

-- Closing: the net income (4,393,000) carried to retained earnings.
INSERT INTO booking
  SELECT 3330, 13, 0, SUM(credit) - SUM(debit) FROM booking WHERE code BETWEEN 4000 AND 9998;

-- Every booked code must name an account: a typo fails the script here.
CREATE TEMP TABLE booking_check (ok INTEGER CHECK (ok = 1));
INSERT INTO booking_check
  SELECT NOT EXISTS (SELECT 1 FROM booking b WHERE NOT EXISTS
    (SELECT 1 FROM accounts a WHERE a.data_id = 'SMPL2024' AND a.account_key = b.code * 10000));

-- Amount set 1 of the accounts booked to, in ten-thousandths of a yen.
INSERT INTO account_amounts (data_id, seq, amount_set, slot, debit, credit)
  SELECT a.data_id, a.seq, 1, b.slot, SUM(b.debit) * 10000, SUM(b.credit) * 10000
  FROM booking b JOIN accounts a ON a.data_id = 'SMPL2024' AND a.account_key = b.code * 10000
  GROUP BY a.seq, b.slot;

-- Headings and totals carry the sums of the accounts below them: a heading
-- those whose category holds all its bits, a total those of its masks.
CREATE TEMP TABLE total_rule (category INTEGER, mask INTEGER);
INSERT INTO total_rule VALUES
  (0x40880008, 0x40888000), (0x40880008, 0x40884000),  -- gross profit
  (0x40200080, 0x40800000), (0x40200080, 0x40400000),  -- income before income taxes
  (0x40200040, 0x40000000);                            -- net income
INSERT INTO total_rule
  SELECT category, category FROM accounts
  WHERE data_id = 'SMPL2024' AND kind = 2 AND category NOT IN (SELECT category FROM total_rule);
INSERT INTO account_amounts (data_id, seq, amount_set, slot, debit, credit)
  SELECT h.data_id, h.seq, 1, x.slot, SUM(x.debit), SUM(x.credit)
  FROM accounts h
  JOIN total_rule r ON r.category = h.category
  JOIN accounts i ON i.data_id = h.data_id AND i.kind = 0 AND (i.category & r.mask) = r.mask
  JOIN account_amounts x ON x.data_id = i.data_id AND x.seq = i.seq AND x.amount_set = 1
  WHERE h.data_id = 'SMPL2024' AND h.kind = 2
  GROUP BY h.seq, x.slot;

-- The company books without consumption tax on its amounts: set 2 is set 1.
INSERT INTO account_amounts (data_id, seq, amount_set, slot, debit, credit)
  SELECT data_id, seq, 2, slot, debit, credit FROM account_amounts WHERE amount_set = 1;

DROP TABLE booking;
DROP TABLE booking_check;
DROP TABLE total_rule;

-- Saved financial-statement settings. Lines end in CR LF.
-- Kind 0: general settings; notes belong to the statements.
INSERT INTO saved_statements (data_id, kind, content, result) VALUES ('SMPL2024', 0,
  replace('[Kessansho]
Title=決算報告書
Unit=0
Note=1
', char(10), char(13, 10)), 0);

-- Kind 100: notes settings, entered in the structured notes input; one
-- section per note group with its display setting. Shown: accounting
-- policies (1), balance sheet (2), changes in net assets (4), per-share
-- information (8) and revenue recognition (33), which the link cannot carry.
INSERT INTO saved_statements (data_id, kind, content, result) VALUES ('SMPL2024', 100,
  replace('[NotesSetting]
InputMode=1
[Note_00]
Name=継続企業の前提に関する注記
Disp=0
[Note_01]
Name=重要な会計方針に係る事項に関する注記
Disp=1
[Note_02]
Name=貸借対照表に関する注記
Disp=1
[Note_03]
Name=損益計算書に関する注記
Disp=0
[Note_04]
Name=株主資本等変動計算書に関する注記
Disp=1
[Note_05]
Name=税効果会計に関する注記
Disp=0
[Note_06]
Name=リースにより使用する固定資産に関する注記
Disp=0
[Note_07]
Name=関連当事者との取引に関する注記
Disp=0
[Note_08]
Name=一株当たり情報に関する注記
Disp=1
[Note_09]
Name=重要な後発事象に関する注記
Disp=0
[Note_10]
Name=その他の注記
Disp=0
[Note_11]
Name=連結配当規制適用会社に関する注記
Disp=0
[Note_12]
Name=持分法損益等に関する注記
Disp=0
[Note_13]
Name=会計方針の変更に関する注記
Disp=0
[Note_14]
Name=表示方法の変更に関する注記
Disp=0
[Note_15]
Name=資産除去債務に関する注記
Disp=0
[Note_16]
Name=金融商品に関する注記
Disp=0
[Note_17]
Name=賃貸等不動産に関する注記
Disp=0
[Note_18]
Name=企業結合に関する注記
Disp=0
[Note_19]
Name=事業分離に関する注記
Disp=0
[Note_20]
Name=会計上の見積りの変更に関する注記
Disp=0
[Note_21]
Name=誤謬の訂正に関する注記
Disp=0
[Note_22]
Name=（予備）
Disp=0
[Note_23]
Name=（予備）
Disp=0
[Note_24]
Name=（予備）
Disp=0
[Note_25]
Name=（予備）
Disp=0
[Note_26]
Name=（予備）
Disp=0
[Note_27]
Name=（予備）
Disp=0
[Note_28]
Name=（予備）
Disp=0
[Note_29]
Name=（予備）
Disp=0
[Note_30]
Name=（予備）
Disp=0
[Note_31]
Name=（予備）
Disp=0
[Note_32]
Name=会計上の見積りに関する注記
Disp=0
[Note_33]
Name=収益認識に関する注記
Disp=1
', char(10), char(13, 10)), 0);

-- Kind 1000: the notes text, one element per line. Each item: <ID>, two
-- lines not read, <Disp>, <Value>, then one <Line> per line of text.
INSERT INTO saved_statements (data_id, kind, content, result) VALUES ('SMPL2024', 1000,
  replace('<Notes>
<Item>
<ID>1000010</ID>
<Name>継続企業の前提に関する注記</Name>
<Kind>0</Kind>
<Disp>0</Disp>
<Value>
</Value>
</Item>
<Item>
<ID>1010010</ID>
<Name>重要な会計方針に係る事項に関する注記</Name>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
</Value>
</Item>
<Item>
<ID>1010020</ID>
<Name>資産の評価基準及び評価方法</Name>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
</Value>
</Item>
<Item>
<ID>1010040</ID>
<Name>棚卸資産の評価基準及び評価方法</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>商品　最終仕入原価法による原価法</Line>
<Line>（貸借対照表価額は収益性の低下に基づく簿価切下げの方法により算定）</Line>
</Value>
</Item>
<Item>
<ID>1010050</ID>
<Name>固定資産の減価償却の方法</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>有形固定資産　定率法（ただし、建物は定額法）</Line>
<Line>無形固定資産　定額法（自社利用のソフトウェアは社内における利用可能期間（5年）に基づく定額法）</Line>
</Value>
</Item>
<Item>
<ID>1060010</ID>
<Name>貸借対照表に関する注記</Name>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
</Value>
</Item>
<Item>
<ID>1060060</ID>
<Name>有形固定資産の減価償却累計額</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>有形固定資産の減価償却累計額　5,480,000円</Line>
</Value>
</Item>
<Item>
<ID>1060300</ID>
<Name>消費税等の会計処理</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>消費税及び地方消費税の会計処理は、税抜方式によっております。</Line>
</Value>
</Item>
<Item>
<ID>1070010</ID>
<Name>損益計算書に関する注記</Name>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>この注記の群は表示されないため出力されません。</Line>
</Value>
</Item>
<Item>
<ID>1080010</ID>
<Name>株主資本等変動計算書に関する注記</Name>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
</Value>
</Item>
<Item>
<ID>1080020</ID>
<Name>発行済株式の種類及び総数に関する事項</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>当事業年度の末日における発行済株式の種類及び総数　普通株式　200株</Line>
</Value>
</Item>
<Item>
<ID>1080500</ID>
<Name>配当に関する事項</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>令和6年6月25日の定時株主総会において、次のとおり決議しております。</Line>
<Line>普通株式の配当金の総額　500,000円（1株当たり配当額　2,500円）</Line>
<Line>基準日　令和6年3月31日　効力発生日　令和6年6月26日</Line>
</Value>
</Item>
<Item>
<ID>1140010</ID>
<Name>一株当たり情報に関する注記</Name>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>算定上の基礎　期末発行済株式数 200株 &amp; 当期純利益 4,393,000円</Line>
</Value>
</Item>
<Item>
<ID>1140020</ID>
<Name>一株当たりの純資産額</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>115,965円</Line>
</Value>
</Item>
<Item>
<ID>1140030</ID>
<Name>一株当たりの当期純利益</Name>
<Kind>1</Kind>
<Disp>1</Disp>
<Value>
<Line>21,965円</Line>
</Value>
</Item>
<Item>
<ID>1170010</ID>
<Name>その他の注記</Name>
<Kind>0</Kind>
<Disp>0</Disp>
<Value>
</Value>
</Item>
<Item>
<ID>1190010</ID>
<Name>収益認識に関する注記</Name>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>商品の販売は、顧客に引き渡した時点で収益を認識しております。</Line>
</Value>
</Item>
</Notes>
', char(10), char(13, 10)), 0);
