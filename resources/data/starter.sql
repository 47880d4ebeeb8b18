-- Starter data for a new Rastrel database.
-- Fills the lookup lists (categories, makes, models, parts catalogue, vendors,
-- manufacturers) and one sample project with category budgets and part lines.
-- Money values: tax at the program's default rate of 0 percent, so that a
-- sample line's amounts are what the worksheet computes for it; totals =
-- quantity * price + tax + shipping.

-- Part categories
INSERT INTO RSLCategories (Category) VALUES ('BODY');
INSERT INTO RSLCategories (Category) VALUES ('BRAKES');
INSERT INTO RSLCategories (Category) VALUES ('COOLING');
INSERT INTO RSLCategories (Category) VALUES ('DRIVETRAIN');
INSERT INTO RSLCategories (Category) VALUES ('ELECTRICAL');
INSERT INTO RSLCategories (Category) VALUES ('ENGINE');
INSERT INTO RSLCategories (Category) VALUES ('EXHAUST');
INSERT INTO RSLCategories (Category) VALUES ('FUEL SYSTEM');
INSERT INTO RSLCategories (Category) VALUES ('INTERIOR');
INSERT INTO RSLCategories (Category) VALUES ('PAINT');
INSERT INTO RSLCategories (Category) VALUES ('SUSPENSION');
INSERT INTO RSLCategories (Category) VALUES ('WHEELS AND TIRES');

-- Vehicle makes
INSERT INTO RSLMakes (make) VALUES ('CHEVROLET');
INSERT INTO RSLMakes (make) VALUES ('DODGE');
INSERT INTO RSLMakes (make) VALUES ('FORD');
INSERT INTO RSLMakes (make) VALUES ('PLYMOUTH');
INSERT INTO RSLMakes (make) VALUES ('PONTIAC');

-- Vehicle models
INSERT INTO RSLModels (make, Model) VALUES ('CHEVROLET', 'C-10');
INSERT INTO RSLModels (make, Model) VALUES ('CHEVROLET', 'CAMARO');
INSERT INTO RSLModels (make, Model) VALUES ('CHEVROLET', 'CHEVELLE');
INSERT INTO RSLModels (make, Model) VALUES ('CHEVROLET', 'NOVA');
INSERT INTO RSLModels (make, Model) VALUES ('DODGE', 'CHALLENGER');
INSERT INTO RSLModels (make, Model) VALUES ('DODGE', 'CHARGER');
INSERT INTO RSLModels (make, Model) VALUES ('DODGE', 'D100');
INSERT INTO RSLModels (make, Model) VALUES ('DODGE', 'DART');
INSERT INTO RSLModels (make, Model) VALUES ('FORD', 'BRONCO');
INSERT INTO RSLModels (make, Model) VALUES ('FORD', 'F-100');
INSERT INTO RSLModels (make, Model) VALUES ('FORD', 'FAIRLANE');
INSERT INTO RSLModels (make, Model) VALUES ('FORD', 'MUSTANG');
INSERT INTO RSLModels (make, Model) VALUES ('PLYMOUTH', 'BARRACUDA');
INSERT INTO RSLModels (make, Model) VALUES ('PLYMOUTH', 'ROAD RUNNER');
INSERT INTO RSLModels (make, Model) VALUES ('PLYMOUTH', 'VALIANT');
INSERT INTO RSLModels (make, Model) VALUES ('PONTIAC', 'FIREBIRD');
INSERT INTO RSLModels (make, Model) VALUES ('PONTIAC', 'GTO');
INSERT INTO RSLModels (make, Model) VALUES ('PONTIAC', 'LEMANS');

-- Parts catalogue
INSERT INTO RSLParts (Part_Name, Category) VALUES ('FRONT FENDER', 'BODY');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('HOOD HINGES', 'BODY');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('DOOR WEATHERSTRIP', 'BODY');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('TRUNK SEAL', 'BODY');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('FRONT BRAKE ROTORS', 'BRAKES');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('BRAKE PAD SET', 'BRAKES');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('MASTER CYLINDER', 'BRAKES');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('BRAKE HOSE KIT', 'BRAKES');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('RADIATOR', 'COOLING');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('WATER PUMP', 'COOLING');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('THERMOSTAT', 'COOLING');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('COOLANT HOSE SET', 'COOLING');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('CLUTCH KIT', 'DRIVETRAIN');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('U-JOINTS', 'DRIVETRAIN');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('REAR AXLE BEARINGS', 'DRIVETRAIN');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('MAIN WIRING HARNESS', 'ELECTRICAL');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('ALTERNATOR', 'ELECTRICAL');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('BATTERY', 'ELECTRICAL');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('CYLINDER HEAD GASKET SET', 'ENGINE');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('TIMING CHAIN KIT', 'ENGINE');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('OIL PUMP', 'ENGINE');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('INTAKE MANIFOLD', 'ENGINE');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('CATBACK EXHAUST SYSTEM', 'EXHAUST');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('EXHAUST MANIFOLD GASKETS', 'EXHAUST');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('EXHAUST HANGERS', 'EXHAUST');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('FUEL PUMP', 'FUEL SYSTEM');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('FUEL TANK', 'FUEL SYSTEM');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('FUEL INJECTORS', 'FUEL SYSTEM');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('SEAT UPHOLSTERY KIT', 'INTERIOR');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('CARPET SET', 'INTERIOR');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('HEADLINER', 'INTERIOR');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('DASH PAD', 'INTERIOR');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('EPOXY PRIMER', 'PAINT');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('BASE COAT', 'PAINT');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('CLEAR COAT', 'PAINT');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('FRONT COIL SPRINGS', 'SUSPENSION');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('SHOCK ABSORBERS', 'SUSPENSION');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('CONTROL ARM BUSHINGS', 'SUSPENSION');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('SWAY BAR END LINKS', 'SUSPENSION');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('TIRES', 'WHEELS AND TIRES');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('WHEELS', 'WHEELS AND TIRES');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('LUG NUTS', 'WHEELS AND TIRES');
INSERT INTO RSLParts (Part_Name, Category) VALUES ('VALVE STEMS', 'WHEELS AND TIRES');

-- Vendors
INSERT INTO RSLVendor (vendor_name, vendor_address, vendor_phone, vendor_web_site, order_catalog) VALUES ('HIGHLINE RESTORATION SUPPLY', '2140 Foundry Street, Dayton, OH 45402', '937-555-0112', 'WWW.HIGHLINERESTO.EXAMPLE', 1);
INSERT INTO RSLVendor (vendor_name, vendor_address, vendor_phone, vendor_web_site, order_catalog) VALUES ('COPPER KETTLE AUTO PARTS', '88 Mill Pond Road, Lansing, MI 48906', '517-555-0134', 'WWW.COPPERKETTLEAUTO.EXAMPLE', 0);
INSERT INTO RSLVendor (vendor_name, vendor_address, vendor_phone, vendor_web_site, order_catalog) VALUES ('TRI-COUNTY SWAP MEET', ' ', ' ', 'WWW.TRICOUNTYSWAP.EXAMPLE', 0);
INSERT INTO RSLVendor (vendor_name, vendor_address, vendor_phone, vendor_web_site, order_catalog) VALUES ('GEARHEAD DIRECT', '4500 Commerce Pkwy, Suite 210, Tempe, AZ 85281', '480-555-0177', 'WWW.GEARHEADDIRECT.EXAMPLE', 1);
INSERT INTO RSLVendor (vendor_name, vendor_address, vendor_phone, vendor_web_site, order_catalog) VALUES ('NORTHFIELD PAINT AND BODY SUPPLY', '17 Depot Lane, Northfield, MN 55057', '507-555-0150', 'WWW.NORTHFIELDPAINT.EXAMPLE', 0);
INSERT INTO RSLVendor (vendor_name, vendor_address, vendor_phone, vendor_web_site, order_catalog) VALUES ('LAKESHORE PERFORMANCE WAREHOUSE', '905 Harbor Drive, Sandusky, OH 44870', '419-555-0163', 'WWW.LAKESHOREPERF.EXAMPLE', 1);

-- Manufacturers
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('IRONWOOD MOTORWORKS', '310 O''Hara Road, Pittsburgh, PA 15238', '412-555-0121', 'WWW.IRONWOODMOTORWORKS.EXAMPLE');
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('BLUE HERON BRAKE COMPANY', '62 Wharf Street, Portland, ME 04101', '207-555-0145', 'WWW.BLUEHERONBRAKE.EXAMPLE');
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('STRATA SUSPENSION SYSTEMS', '1200 Canyon Road, Boise, ID 83702', '208-555-0108', 'WWW.STRATASUSPENSION.EXAMPLE');
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('KEYSTONE SHEET METAL', '1450 Press Avenue, Reading, PA 19601', '610-555-0158', 'WWW.KEYSTONESHEETMETAL.EXAMPLE');
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('GRANITE STATE COATINGS', '455 Elm Street, Manchester, NH 03101', '603-555-0186', 'WWW.GRANITESTATECOATINGS.EXAMPLE');
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('CARDINAL TRIM WORKS', '38 Loom Street, Greensboro, NC 27401', '336-555-0127', 'WWW.CARDINALTRIM.EXAMPLE');
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('VOLTLINE HARNESS CO.', '7 Industrial Court, Huntsville, AL 35806', '256-555-0139', 'WWW.VOLTLINEHARNESS.EXAMPLE');
INSERT INTO RSLManufacturer (manufacturer, manufacturer_address, manufacturer_phone, manufacturer_web_site) VALUES ('TALLGRASS TIRE AND WHEEL', '90 Rubber Row, Akron, OH 44308', '330-555-0117', 'WWW.TALLGRASSTIRE.EXAMPLE');

-- Sample project
INSERT INTO RSLVehicles (vehicle_number, vehicle_description, vehicle_year, vehicle_make, vehicle_model, graphic_path, budget_amount) VALUES (1, '1986 FORD MUSTANG', '1986', 'FORD', 'MUSTANG', '', 18450.00);

-- Project numbers in use
INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (1);

-- Category budgets of the sample project
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('BODY', 1, 2500.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('BRAKES', 1, 450.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('COOLING', 1, 700.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('DRIVETRAIN', 1, 1500.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('ELECTRICAL', 1, 1200.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('ENGINE', 1, 3500.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('EXHAUST', 1, 0.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('FUEL SYSTEM', 1, 1000.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('INTERIOR', 1, 1600.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('PAINT', 1, 2200.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('SUSPENSION', 1, 1800.00);
INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES ('WHEELS AND TIRES', 1, 2000.00);

-- Part lines of the sample project
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('CYLINDER HEAD GASKET SET', 'IMW-HG302', 'IRONWOOD MOTORWORKS', 'GEARHEAD DIRECT', 1, 78.49, 0.0000, 8.95, 87.4400, 'Graphite style, fits the 5.0 block.', 'ENGINE', 1, 1, 1, 1, 1, '04/02/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('TIMING CHAIN KIT', 'IMW-TC1186', 'IRONWOOD MOTORWORKS', 'LAKESHORE PERFORMANCE WAREHOUSE', 1, 64.99, 0.0000, 0.00, 64.9900, NULL, 'ENGINE', 1, 1, 1, 1, 1, '04/02/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('OIL PUMP', 'IMW-OP50HV', 'IRONWOOD MOTORWORKS', 'GEARHEAD DIRECT', 1, 49.95, 0.0000, 6.50, 56.4500, 'High volume version.', 'ENGINE', 1, 1, 0, 1, 1, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('INTAKE MANIFOLD', 'IMW-IM86', 'IRONWOOD MOTORWORKS', 'LAKESHORE PERFORMANCE WAREHOUSE', 1, 389.00, 0.0000, 24.00, 413.0000, NULL, 'ENGINE', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('FRONT BRAKE ROTORS', 'BH-R1186F', 'BLUE HERON BRAKE COMPANY', 'COPPER KETTLE AUTO PARTS', 2, 89.95, 0.0000, 12.00, 191.9000, 'Vented rotors for the front axle.', 'BRAKES', 1, 1, 1, 1, 1, '05/19/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('BRAKE PAD SET', 'BH-P441', 'BLUE HERON BRAKE COMPANY', 'COPPER KETTLE AUTO PARTS', 1, 54.99, 0.0000, 0.00, 54.9900, 'Front axle set.', 'BRAKES', 1, 1, 1, 1, 1, '05/19/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('BRAKE PAD SET', 'BH-S442', 'BLUE HERON BRAKE COMPANY', 'COPPER KETTLE AUTO PARTS', 1, 46.75, 0.0000, 0.00, 46.7500, 'Rear shoes with new hardware.', 'BRAKES', 1, 1, 1, 1, 1, '06/03/2025', 2);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('MASTER CYLINDER', 'BH-MC86', 'BLUE HERON BRAKE COMPANY', 'GEARHEAD DIRECT', 1, 129.50, 0.0000, 9.95, 139.4500, NULL, 'BRAKES', 1, 1, 1, 1, 1, '06/03/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('BRAKE HOSE KIT', '', '', 'TRI-COUNTY SWAP MEET', 1, 35.00, 0.0000, 0.00, 35.0000, 'New old stock, still in the box.', 'BRAKES', 1, 0, 1, 1, 1, '07/12/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('FRONT COIL SPRINGS', 'SSS-CS86-L', 'STRATA SUSPENSION SYSTEMS', 'LAKESHORE PERFORMANCE WAREHOUSE', 2, 112.40, 0.0000, 18.50, 243.3000, 'Lowering springs, about one inch drop.', 'SUSPENSION', 1, 1, 0, 1, 1, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('SHOCK ABSORBERS', 'SSS-GS4', 'STRATA SUSPENSION SYSTEMS', 'LAKESHORE PERFORMANCE WAREHOUSE', 4, 58.25, 0.0000, 15.00, 248.0000, NULL, 'SUSPENSION', 1, 1, 1, 1, 1, '08/21/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('CONTROL ARM BUSHINGS', 'SSS-UB210', 'STRATA SUSPENSION SYSTEMS', 'GEARHEAD DIRECT', 1, 84.99, 0.0000, 7.25, 92.2400, NULL, 'SUSPENSION', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('FRONT FENDER', '', '', 'TRI-COUNTY SWAP MEET', 1, 150.00, 0.0000, 0.00, 150.0000, 'Passenger side, minor surface rust.', 'BODY', 1, 0, 1, 1, 1, '09/06/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('HOOD HINGES', 'KSM-HH2', 'KEYSTONE SHEET METAL', 'HIGHLINE RESTORATION SUPPLY', 2, 38.60, 0.0000, 9.00, 86.2000, NULL, 'BODY', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('DOOR WEATHERSTRIP', 'KSM-DW86', 'KEYSTONE SHEET METAL', 'HIGHLINE RESTORATION SUPPLY', 2, 44.95, 0.0000, 6.00, 95.9000, 'Driver and passenger doors.', 'BODY', 1, 1, 0, 1, 1, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('TRUNK SEAL', 'KSM-TS86', 'KEYSTONE SHEET METAL', 'HIGHLINE RESTORATION SUPPLY', 1, 27.80, 0.0000, 0.00, 27.8000, NULL, 'BODY', 1, 1, 1, 1, 1, '09/30/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('EPOXY PRIMER', 'GSC-EP100', 'GRANITE STATE COATINGS', 'NORTHFIELD PAINT AND BODY SUPPLY', 2, 96.50, 0.0000, 14.00, 207.0000, 'Gallon kits with activator.', 'PAINT', 1, 1, 1, 1, 1, '10/15/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('EPOXY PRIMER', 'GSC-EP100', 'GRANITE STATE COATINGS', 'NORTHFIELD PAINT AND BODY SUPPLY', 1, 96.50, 0.0000, 7.00, 103.5000, 'Extra kit for the door jambs.', 'PAINT', 1, 1, 0, 1, 1, '', 2);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('BASE COAT', 'GSC-BC-OXR', 'GRANITE STATE COATINGS', 'NORTHFIELD PAINT AND BODY SUPPLY', 1, 412.00, 0.0000, 20.00, 432.0000, 'Color code still to be matched.', 'PAINT', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('CLEAR COAT', 'GSC-CC420', 'GRANITE STATE COATINGS', 'NORTHFIELD PAINT AND BODY SUPPLY', 1, 268.75, 0.0000, 20.00, 288.7500, NULL, 'PAINT', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('SEAT UPHOLSTERY KIT', 'CTW-SU86-GR', 'CARDINAL TRIM WORKS', 'HIGHLINE RESTORATION SUPPLY', 1, 689.00, 0.0000, 35.00, 724.0000, 'Gray cloth, front buckets and rear bench.', 'INTERIOR', 1, 1, 0, 1, 1, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('CARPET SET', 'CTW-CP86', 'CARDINAL TRIM WORKS', 'HIGHLINE RESTORATION SUPPLY', 1, 184.95, 0.0000, 22.50, 207.4500, NULL, 'INTERIOR', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('DASH PAD', 'CTW-DP86', 'CARDINAL TRIM WORKS', 'HIGHLINE RESTORATION SUPPLY', 1, 229.00, 0.0000, 18.00, 247.0000, NULL, 'INTERIOR', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('MAIN WIRING HARNESS', 'VLH-MH86', 'VOLTLINE HARNESS CO.', 'GEARHEAD DIRECT', 1, 539.99, 0.0000, 0.00, 539.9900, 'Free shipping offer ends in March.', 'ELECTRICAL', 1, 1, 0, 1, 1, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('ALTERNATOR', 'VLH-ALT130', 'VOLTLINE HARNESS CO.', 'COPPER KETTLE AUTO PARTS', 1, 149.95, 0.0000, 11.50, 161.4500, 'Rebuilt 130 amp unit, core returned.', 'ELECTRICAL', 1, 1, 1, 1, 1, '11/08/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('BATTERY', '', 'VOLTLINE HARNESS CO.', 'COPPER KETTLE AUTO PARTS', 1, 119.99, 0.0000, 0.00, 119.9900, NULL, 'ELECTRICAL', 1, 1, 1, 1, 1, '11/08/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('FUEL PUMP', 'IMW-FP155', 'IRONWOOD MOTORWORKS', 'LAKESHORE PERFORMANCE WAREHOUSE', 1, 118.40, 0.0000, 8.75, 127.1500, NULL, 'FUEL SYSTEM', 1, 1, 1, 1, 1, '12/01/2025', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('FUEL INJECTORS', 'IMW-FI19', 'IRONWOOD MOTORWORKS', 'LAKESHORE PERFORMANCE WAREHOUSE', 8, 24.99, 0.0000, 10.00, 209.9200, 'Set of eight, 19 lb rating.', 'FUEL SYSTEM', 1, 1, 0, 1, 1, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('RADIATOR', 'IMW-RD3C', 'IRONWOOD MOTORWORKS', 'GEARHEAD DIRECT', 1, 245.00, 0.0000, 29.95, 274.9500, 'Three row aluminum core.', 'COOLING', 1, 1, 1, 1, 1, '01/10/2026', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('THERMOSTAT', 'IMW-TS180', 'IRONWOOD MOTORWORKS', 'COPPER KETTLE AUTO PARTS', 1, 14.49, 0.0000, 0.00, 14.4900, NULL, 'COOLING', 1, 1, 1, 1, 1, '01/10/2026', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('CLUTCH KIT', 'IMW-CK10', 'IRONWOOD MOTORWORKS', 'LAKESHORE PERFORMANCE WAREHOUSE', 1, 329.95, 0.0000, 19.50, 349.4500, NULL, 'DRIVETRAIN', 1, 1, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('U-JOINTS', '', '', 'TRI-COUNTY SWAP MEET', 2, 12.00, 0.0000, 0.00, 24.0000, NULL, 'DRIVETRAIN', 1, 0, 0, 1, 0, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('TIRES', 'TTW-225-60-15', 'TALLGRASS TIRE AND WHEEL', 'COPPER KETTLE AUTO PARTS', 2, 132.60, 0.0000, 0.00, 265.2000, 'Front pair.', 'WHEELS AND TIRES', 1, 1, 0, 1, 1, '', 1);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('TIRES', 'TTW-245-60-15', 'TALLGRASS TIRE AND WHEEL', 'COPPER KETTLE AUTO PARTS', 2, 141.85, 0.0000, 0.00, 283.7000, 'Rear pair, a bit wider.', 'WHEELS AND TIRES', 1, 1, 0, 1, 1, '', 2);
INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('WHEELS', 'TTW-W15-5L', 'TALLGRASS TIRE AND WHEEL', 'GEARHEAD DIRECT', 4, 164.00, 0.0000, 48.00, 704.0000, NULL, 'WHEELS AND TIRES', 1, 1, 0, 1, 0, '', 1);
