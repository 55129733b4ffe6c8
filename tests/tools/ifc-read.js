// ifc-read.js FILE - reads an IFC file with web-ifc (npm package web-ifc, installed by
// scripts/install-ifc-reader.sh into build-tools/web-ifc), a reader not written here, and prints what
// it finds, one line each, for tests/tools/IfcExportTest.cpp to compare with what the scene says:
//
//   schema IFC4
//   length unit MILLI METRE
//   site 敷地
//   storey 1階 ELEMENT elevation 610 placed at 610 in IfcBuilding zendel gross 2900 net 2400
//   storey 中2階 PARTIAL elevation 2060 placed at 2060 in IfcBuildingStorey 1階 gross 2900 net 2400
//   IfcSpace 1階 10000 x 5000 x 2400 from z 610 in 1階
//   IfcSlab 1階床 FLOOR 10000 x 5000 x 210 from z 400 in 1階
//   IfcFooting 基礎 10000 x 10000 x 400 from z 0 in 1階
//   IfcGeographicElement 敷地 TERRAIN 15000 x 15000 x 100 from z -100 in 敷地
//   globalids 28 valid unique
//
// A storey's "placed at" is the height its placement chain gives (each placement's location added,
// up to the absolute one); "in" names what aggregates it. Exits 2 when the file cannot be read.
'use strict';
const fs = require('fs');
const path = require('path');

const root = path.resolve(__dirname, '..', '..');
const WebIFC = require(path.join(root, 'build-tools', 'web-ifc', 'node_modules', 'web-ifc'));

const value = (v) => (v === null || v === undefined ? null : v.value);
const name = (entity) => value(entity.Name) ?? '(no name)';

// The absolute height of a flattened IfcLocalPlacement; null when one of the chain is turned.
function placedZ(placement) {
  let z = 0;
  for (let p = placement; p; p = p.PlacementRelTo) {
    const axes = p.RelativePlacement;
    if (axes.Axis || axes.RefDirection) return null;
    z += value(axes.Location.Coordinates[2]);
  }
  return z;
}

// "10000 x 10000 x 400 from z 0": a body of one extruded rectangle, in the product's placement; "no
// body" for a product without one.
function boxText(api, model, product) {
  if (!product.Representation) return 'no body';
  const solid = product.Representation.Representations[0].Items[0];
  const area = solid.SweptArea;
  const bottom = placedZ(product.ObjectPlacement) + value(solid.Position.Location.Coordinates[2]);
  return `${value(area.XDim)} x ${value(area.YDim)} x ${value(solid.Depth)} from z ${bottom}`;
}

function lines(api, model, type) {
  const ids = api.GetLineIDsWithType(model, type);
  const result = [];
  for (let i = 0; i < ids.size(); i++) result.push(api.GetLine(model, ids.get(i), true));
  return result;
}

// Who aggregates or contains each object: expressID -> the whole.
function wholes(api, model) {
  const of = new Map();
  for (const rel of lines(api, model, WebIFC.IFCRELAGGREGATES)) {
    for (const part of rel.RelatedObjects) of.set(part.expressID, rel.RelatingObject);
  }
  for (const rel of lines(api, model, WebIFC.IFCRELCONTAINEDINSPATIALSTRUCTURE)) {
    for (const element of rel.RelatedElements) of.set(element.expressID, rel.RelatingStructure);
  }
  return of;
}

// The storey's base quantities, "gross 2900 net 2400".
function heights(api, model) {
  const of = new Map();
  for (const rel of lines(api, model, WebIFC.IFCRELDEFINESBYPROPERTIES)) {
    const set = rel.RelatingPropertyDefinition;
    if (value(set.Name) !== 'Qto_BuildingStoreyBaseQuantities') continue;
    const q = {};
    for (const quantity of set.Quantities) q[value(quantity.Name)] = value(quantity.LengthValue);
    for (const object of rel.RelatedObjects) of.set(object.expressID, `gross ${q.GrossHeight} net ${q.NetHeight}`);
  }
  return of;
}

function globalIds(api, model) {
  const all = api.GetAllLines(model);
  const seen = new Set();
  let invalid = 0, repeated = 0;
  for (let i = 0; i < all.size(); i++) {
    const line = api.GetLine(model, all.get(i), false);
    const id = value(line.GlobalId);
    if (id === null || id === undefined) continue;
    if (!/^[0-3][0-9A-Za-z_$]{21}$/.test(id)) invalid++;
    if (seen.has(id)) repeated++;
    seen.add(id);
  }
  return `globalids ${seen.size + repeated}` + (invalid ? ` ${invalid} invalid` : ' valid') +
         (repeated ? ` ${repeated} repeated` : ' unique');
}

function report(api, model) {
  const out = [`schema ${api.GetModelSchema(model)}`];
  for (const unit of lines(api, model, WebIFC.IFCSIUNIT)) {
    if (value(unit.UnitType) === 'LENGTHUNIT') out.push(`length unit ${value(unit.Prefix)} ${value(unit.Name)}`);
  }
  for (const site of lines(api, model, WebIFC.IFCSITE)) {
    out.push(`site ${name(site)}` + (site.Representation ? ` body ${boxText(api, model, site)}` : ''));
  }
  const whole = wholes(api, model);
  const quantities = heights(api, model);
  for (const storey of lines(api, model, WebIFC.IFCBUILDINGSTOREY)) {
    const parent = whole.get(storey.expressID);
    out.push(`storey ${name(storey)} ${value(storey.CompositionType)} elevation ${value(storey.Elevation)}` +
             ` placed at ${placedZ(storey.ObjectPlacement)}` +
             ` in ${parent ? api.GetNameFromTypeCode(parent.type) + ' ' + name(parent) : 'nothing'}` +
             (quantities.has(storey.expressID) ? ' ' + quantities.get(storey.expressID) : ''));
  }
  for (const type of [WebIFC.IFCSPACE, WebIFC.IFCSLAB, WebIFC.IFCFOOTING, WebIFC.IFCBUILDINGELEMENTPROXY,
                      WebIFC.IFCGEOGRAPHICELEMENT]) {
    for (const element of lines(api, model, type)) {
      const container = whole.get(element.expressID);
      const kind = type === WebIFC.IFCSLAB || type === WebIFC.IFCGEOGRAPHICELEMENT ? ` ${value(element.PredefinedType)}` : '';
      out.push(`${api.GetNameFromTypeCode(type)} ${name(element)}${kind} ${boxText(api, model, element)}` +
               ` in ${container ? name(container) : 'nothing'}`);
    }
  }
  out.push(globalIds(api, model));
  return out.join('\n') + '\n';
}

async function main(file) {
  const api = new WebIFC.IfcAPI();
  await api.Init();
  const model = api.OpenModel(new Uint8Array(fs.readFileSync(file)));
  process.stdout.write(report(api, model));
  api.CloseModel(model);
}

main(process.argv[2]).then(() => process.exit(0), (error) => {
  console.error(`ifc-read: ${error}`);
  process.exit(2);
});
