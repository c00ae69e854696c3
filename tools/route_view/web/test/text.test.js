// Metres and kilometres in words, and km figures as typed.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  chainage_text,
  curve_text,
  km_text,
  metre_tick_text,
  metres_text,
  parse_km,
} from '../src/text.js';
import { small_model } from './fixture.js';

test('km_text: km and three digits of metres, the sign before the km', () => {
  assert.equal(km_text(0), 'km 0+000');
  assert.equal(km_text(999), 'km 0+999');
  assert.equal(km_text(1000), 'km 1+000');
  assert.equal(km_text(19050), 'km 19+050');
  assert.equal(km_text(-50), 'km -0+050');
  assert.equal(km_text(-1001), 'km -1+001');
  // Whole metres: a half rounds up, as the progressive of a pointer does.
  assert.equal(km_text(24999.5), 'km 25+000');
  assert.equal(km_text(24999.4), 'km 24+999');
});

test('metres_text: whole metres, thousands apart by a thin space', () => {
  assert.equal(metres_text(0), '0 m');
  assert.equal(metres_text(999.4), '999 m');
  assert.equal(metres_text(999.5), '1\u2009000 m');
  assert.equal(metres_text(22700), '22\u2009700 m');
  assert.equal(metres_text(1000000), '1\u2009000\u2009000 m');
});

test('metre_tick_text: decimals by the step', () => {
  assert.equal(metre_tick_text(20000, 1000), '20 km');
  assert.equal(metre_tick_text(20500, 500), '20.5 km');
  assert.equal(metre_tick_text(20000, 100), '20.0 km');
  assert.equal(metre_tick_text(20050, 50), '20.05 km');
  assert.equal(metre_tick_text(0, 99), '0.00 km');
});

test('chainage_text: the series in force counts down; none before the first', () => {
  const model = small_model();
  assert.equal(chainage_text(model, 0), 'km 25+000');
  assert.equal(chainage_text(model, 999), 'km 24+001');
  assert.equal(chainage_text(model, 1000), 'km 8+000');
  const none = small_model({ chainage: [[500, 9000]] });
  assert.equal(chainage_text(none, 499), 'no kilometric series');
  assert.equal(chainage_text(none, 500), 'km 8+500');
});

test('parse_km: km from the origin or a progressive, else null', () => {
  const model = small_model();
  assert.equal(parse_km(model, '20'), 20000);
  assert.equal(parse_km(model, ' 0.5 '), 500);
  assert.equal(parse_km(model, '-1'), -1000);
  // km 24+500 is 500 m along the first series; km 7+500 500 m into the second,
  // and km 8+500 would be before the second's start.
  assert.equal(parse_km(model, '24+500'), 500);
  // "24+5" is km 24+005.
  assert.equal(parse_km(model, 'km 24+5'), 995);
  assert.equal(parse_km(model, 'KM. 7+500'), 1500);
  assert.equal(parse_km(model, 'km7+500'), 1500);
  assert.equal(parse_km(model, 'km 8+500'), null);
  // Ends of a series: its start is in it, and so is the next one's start.
  assert.equal(parse_km(model, '25+000'), 0);
  assert.equal(parse_km(model, '24+000'), 1000);
  // A progressive no series reaches, or one written otherwise.
  assert.equal(parse_km(model, '30+000'), null);
  assert.equal(parse_km(model, '7+200'), 1800);
  assert.equal(parse_km(model, '7+199'), null);
  assert.equal(parse_km(model, '24+0000'), null);
  assert.equal(parse_km(model, '20,5'), null);
  assert.equal(parse_km(model, 'ORTE'), null);
  assert.equal(parse_km(model, ''), null);
});

test('curve_text: radius, side and stretch', () => {
  assert.equal(
    curve_text([120, 1260, 400.5, 1, 4]),
    'radius 401 m to the right (120 m to 1\u2009260 m)',
  );
  assert.equal(curve_text([0, 50, 250, -1, 4]), 'radius 250 m to the left (0 m to 50 m)');
});
